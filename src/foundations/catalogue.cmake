# The English message catalogue: catalogue_en.tsv (UTF-8) is turned into
# code page 1250 C++ initialisers at build time by embed_catalogue and
# compiled into malvex_foundations (catalogue.cc includes the result).
add_executable(embed_catalogue ${PROJECT_SOURCE_DIR}/tools/catalogue/embed_catalogue.cc)
set_target_properties(embed_catalogue PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tools)

set(MALVEX_CATALOGUE_SOURCE ${CMAKE_CURRENT_LIST_DIR}/catalogue_en.tsv)
set(MALVEX_CATALOGUE_INC ${CMAKE_CURRENT_BINARY_DIR}/catalogue_en.inc)
add_custom_command(
  OUTPUT ${MALVEX_CATALOGUE_INC}
  COMMAND embed_catalogue ${MALVEX_CATALOGUE_SOURCE} ${MALVEX_CATALOGUE_INC}
  DEPENDS embed_catalogue ${MALVEX_CATALOGUE_SOURCE}
  COMMENT "Embedding the English message catalogue"
  VERBATIM)
target_sources(malvex_foundations PRIVATE ${MALVEX_CATALOGUE_INC})
target_include_directories(malvex_foundations PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
