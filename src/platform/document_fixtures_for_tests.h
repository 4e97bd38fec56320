// Small documents built by the tests: zipped office packages (Word 2007,
// PowerPoint 2007, OpenDocument, XPS) written with libzip, and a PDF file
// written by hand. Texts are UTF-8; for the PDF, the bytes 0x80..0x84 of a
// line stand for ă ș ț Ș Ț.
#pragma once

#include <zip.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace malvex::testing {

using PackageParts = std::vector<std::pair<std::string, std::string>>;

// Writes a zip file holding `parts` (name, bytes) in order.
inline bool WriteZip(const std::string& path, const PackageParts& parts) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) return false;
  for (const auto& [name, bytes] : parts) {
    zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
    if (source == nullptr || zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      zip_discard(zip);
      return false;
    }
  }
  return zip_close(zip) == 0;
}

inline std::string XmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '&')
      out += "&amp;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

inline const char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A Word 2007 document; each paragraph is a list of runs.
inline PackageParts DocxParts(const std::vector<std::vector<std::string>>& paragraphs) {
  std::string body;
  for (const auto& runs : paragraphs) {
    body += "  <w:p>\n    <w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>\n";
    for (const std::string& run : runs)
      body += "    <w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">" + XmlEscape(run) + "</w:t></w:r>\n";
    body += "  </w:p>\n";
  }
  return {
      {"[Content_Types].xml",
       std::string(kXmlHead) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>"},
      {"_rels/.rels",
       std::string(kXmlHead) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>"},
      {"word/document.xml",
       std::string(kXmlHead) +
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\n <w:body>\n" +
           body + "  <w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr>\n </w:body>\n</w:document>"},
  };
}

// A PowerPoint 2007 presentation; each slide is a list of paragraphs. The
// slide parts are numbered backwards so that only the presentation's slide
// list gives the right order.
inline PackageParts PptxParts(const std::vector<std::vector<std::string>>& slides) {
  const size_t n = slides.size();
  std::string list, rels;
  PackageParts parts;
  for (size_t i = 0; i < n; ++i) {
    const std::string id = "rId" + std::to_string(i + 2);
    const std::string file = "slide" + std::to_string(n - i) + ".xml";
    list += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"" + id + "\"/>";
    rels += "<Relationship Id=\"" + id +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide\" Target=\"slides/" +
            file + "\"/>";
    std::string paragraphs;
    for (const std::string& p : slides[i])
      paragraphs += "<a:p><a:pPr><a:tabLst><a:tab pos=\"1\" algn=\"l\"/></a:tabLst></a:pPr><a:r><a:rPr lang=\"ro-RO\"/><a:t>" +
                    XmlEscape(p) + "</a:t></a:r></a:p>";
    parts.emplace_back(
        "ppt/slides/" + file,
        std::string(kXmlHead) +
            "<p:sld xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
            "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree>"
            "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/></p:nvGrpSpPr><p:sp><p:nvSpPr><p:cNvPr id=\"2\" "
            "name=\"Title 1\"/></p:nvSpPr><p:txBody><a:bodyPr/>" +
            paragraphs + "</p:txBody></p:sp></p:spTree></p:cSld></p:sld>");
  }
  parts.emplace_back("_rels/.rels",
                     std::string(kXmlHead) +
                         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/officeDocument\" Target=\"ppt/presentation.xml\"/></Relationships>");
  parts.emplace_back("ppt/presentation.xml",
                     std::string(kXmlHead) +
                         "<p:presentation xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                         "<p:sldIdLst>" +
                         list + "</p:sldIdLst></p:presentation>");
  parts.emplace_back("ppt/_rels/presentation.xml.rels",
                     std::string(kXmlHead) +
                         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                         rels + "</Relationships>");
  return parts;
}

inline const char kOdfNamespaces[] =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\"";

// An OpenDocument text; `body` is the XML inside office:text.
inline PackageParts OdtParts(const std::string& body) {
  return {
      {"mimetype", "application/vnd.oasis.opendocument.text"},
      {"content.xml", std::string(kXmlHead) + "<office:document-content " + kOdfNamespaces +
                          "><office:automatic-styles/><office:body><office:text>" + body +
                          "</office:text></office:body></office:document-content>"},
  };
}

// An OpenDocument presentation; each slide is a list of paragraphs, with
// speaker notes that are not part of the text.
inline PackageParts OdpParts(const std::vector<std::vector<std::string>>& slides) {
  std::string pages;
  for (const auto& slide : slides) {
    pages += "<draw:page draw:name=\"p\"><draw:frame><draw:text-box>";
    for (const std::string& p : slide) pages += "<text:p>" + XmlEscape(p) + "</text:p>";
    pages += "</draw:text-box></draw:frame><presentation:notes><draw:frame><draw:text-box><text:p>nota"
             "</text:p></draw:text-box></draw:frame></presentation:notes></draw:page>";
  }
  return {
      {"mimetype", "application/vnd.oasis.opendocument.presentation"},
      {"content.xml", std::string(kXmlHead) + "<office:document-content " + kOdfNamespaces +
                          "><office:body><office:presentation>" + pages +
                          "</office:presentation></office:body></office:document-content>"},
  };
}

// An XPS document; each page is a list of lines, each line a list of glyph
// runs on one baseline.
inline PackageParts XpsParts(const std::vector<std::vector<std::vector<std::string>>>& pages) {
  PackageParts parts;
  std::string contents;
  for (size_t i = 0; i < pages.size(); ++i) {
    const std::string name = std::to_string(i + 1) + ".fpage";
    contents += "<PageContent Source=\"Pages/" + name + "\"/>";
    std::string glyphs;
    int y = 100;
    for (const auto& line : pages[i]) {
      int x = 50;
      for (const std::string& run : line) {
        glyphs += "<Glyphs OriginX=\"" + std::to_string(x) + "\" OriginY=\"" + std::to_string(y) +
                  "\" FontRenderingEmSize=\"12\" FontUri=\"/Resources/f.ttf\" UnicodeString=\"" + XmlEscape(run) +
                  "\"/>";
        x += 100;
      }
      y += 20;
    }
    parts.emplace_back("Documents/1/Pages/" + name,
                       "<FixedPage xmlns=\"http://schemas.microsoft.com/xps/2005/06\" Width=\"816\" Height=\"1056\">"
                       "<Canvas>" + glyphs + "</Canvas></FixedPage>");
  }
  parts.emplace_back("_rels/.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"R0\" Type=\"http://schemas.microsoft.com/xps/2005/06/fixedrepresentation\" "
                     "Target=\"/FixedDocSeq.fdseq\"/></Relationships>");
  parts.emplace_back("FixedDocSeq.fdseq",
                     "<FixedDocumentSequence xmlns=\"http://schemas.microsoft.com/xps/2005/06\">"
                     "<DocumentReference Source=\"Documents/1/FixedDoc.fdoc\"/></FixedDocumentSequence>");
  parts.emplace_back("Documents/1/FixedDoc.fdoc",
                     "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\">" + contents +
                         "</FixedDocument>");
  return parts;
}

// A PDF file with one page per entry of `pages`, each a list of lines in
// the Helvetica font; bytes 0x80..0x84 are ă ș ț Ș Ț.
inline std::string MakePdf(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> objects;
  std::string kids;
  const size_t first = 4;  // objects 1..3: catalogue, page tree, font
  for (size_t i = 0; i < pages.size(); ++i) kids += std::to_string(first + 2 * i) + " 0 R ";
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
  objects.push_back(
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding << /Type /Encoding /BaseEncoding "
      "/WinAnsiEncoding /Differences [128 /abreve /uni0219 /uni021B /uni0218 /uni021A] >> >>");
  for (size_t i = 0; i < pages.size(); ++i) {
    std::string content = "BT /F1 12 Tf 72 720 Td 14 TL\n";
    for (const std::string& line : pages[i]) {
      content += "(";
      for (char c : line) {
        if (c == '(' || c == ')' || c == '\\') content += '\\';
        content += c;
      }
      content += ") Tj T*\n";
    }
    content += "ET\n";
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> "
                      ">> /Contents " +
                      std::to_string(first + 2 * i + 1) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
  }
  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char line[24];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace malvex::testing
