#include "views/style_result.h"

#include "engine/engine.h"
#include "semantic/analysis_context.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"
#include "semantic/style_diagnosis.h"
#include "views/result_list.h"

namespace malvex {

StyleFigures StyleFiguresOf(Engine& engine) {
  StyleFigures figures;
  figures.files = engine.files().Count();
  if (const AnalysisContext* analysis = engine.analysis()) {
    figures.selectedParts = analysis->chronology().selectedParts;
    figures.episodes = static_cast<int>(analysis->chronology().episodes.size());
  }
  return figures;
}

StyleRow CountRow(Messages& messages, int64_t count, int message, int id) {
  StyleRow row;
  row.id = id;
  row.count = count;
  row.text = std::to_string(count) + " " + messages.message(message);
  return row;
}

std::vector<StyleRow> StyleRows(Engine& engine, DiagnosisList& diagnosis, const StyleFigures& figures) {
  CollectedLines lines;
  DiagnoseStyle(diagnosis, engine, &lines, true);
  std::vector<StyleRow> rows;
  for (size_t i = 0; i < lines.lines.size(); ++i) {
    StyleRow row;
    row.id = diagnosis.Entry(static_cast<int>(i));
    row.text = lines.lines[i];
    rows.push_back(std::move(row));
  }
  Messages& messages = engine.messages();
  if (figures.files > 1) rows.push_back(CountRow(messages, figures.files, kFilesSelectedMessage, kFilesLineItem));
  if (figures.selectedParts > 0)
    rows.push_back(CountRow(messages, figures.selectedParts, kCharacteristicPartsMessage, kCharacteristicPartsMessage));
  if (figures.episodes > 0) rows.push_back(CountRow(messages, figures.episodes, kEpisodesMessage, kEpisodesMessage));
  return rows;
}

bool FillStyleList(const std::vector<StyleRow>& rows, ResultList& list) {
  for (const StyleRow& row : rows)
    if (!list.AddWithItem(row.text, row.id)) return false;
  return true;
}

}  // namespace malvex
