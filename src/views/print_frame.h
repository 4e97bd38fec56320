// The page frame every printed report shares: a fixed grid of body lines
// whose height follows the print font, a header (page number, report title,
// a rule) and a footer (the analysed file, a rule) drawn on each page when
// it is full and at the end of the report. Several reports go into one job
// one after another, each starting on a page of its own.
#pragma once

#include <string>
#include <string_view>

#include "views/canvas.h"
#include "views/print_target.h"

namespace malvex {

// How a piece of body text is written.
struct PrintStyle {
  bool bold = false;
  bool italic = false;
  Colour colour = kBlack;
};

class PrintFrame {
 public:
  // The first line that holds body text.
  static constexpr int kFirstBodyLine = 3;
  // Left edge of the title and footer boxes, from the printable area's.
  static constexpr int kBoxIndent = 20;

  // `pointSize`: the print font's size; `footer`: what the footer shows
  // (code page 1250).
  PrintFrame(PrintTarget& target, int pointSize, std::string footer);

  // The line height: the font's size in device units plus its 4/10.
  int h() const { return h_; }
  // Lines per page; body lines run from kFirstBodyLine to this minus one.
  int linesPerPage() const { return linesPerPage_; }
  // The title box, from kBoxIndent to the page width, between h and 2h.
  CanvasRect titleRect() const { return titleRect_; }
  // The column unit: half the title box's width.
  int c() const { return c_; }
  int c4() const { return c_ / 4; }
  int pageWidth() const { return target_.PageWidth(); }
  int pageHeight() const { return target_.PageHeight(); }

  // Starts a report titled `title` (code page 1250): on a new page unless
  // it is the first report of the job. False when the job is cancelled.
  bool BeginReport(std::string title);
  // Ends the report: the last page's header and footer.
  void EndReport();

  // Advances to the next body line; when the page is full its header and
  // footer are drawn and a new page starts. False when the job is
  // cancelled (nothing more should be printed).
  bool NextLine();
  // Starts a new page now (the rest of this page stays empty).
  bool BreakPage();
  // The current body line and its top.
  int line() const { return line_; }
  int y() const { return line_ * h_; }
  // Moves the line counter within the current page (the two-column blocks).
  void SetLine(int line) { line_ = line; }
  // Body lines left on this page after the current one.
  int LinesLeft() const { return linesPerPage_ - 1 - line_; }

  // `text` with its box's top-left corner at (x, current line).
  void Text(int x, std::string_view text, const PrintStyle& style = {});
  // `text` ending at `right` on the current line.
  void RightText(int right, std::string_view text, const PrintStyle& style = {});
  // `text` cut (with an ellipsis) so that it is at most `width` wide.
  std::string Fit(std::string_view text, int width, const PrintStyle& style = {});
  int Width(std::string_view text, const PrintStyle& style = {});
  void Line(int x1, int y1, int x2, int y2);

  bool cancelled() const { return cancelled_ || target_.Cancelled(); }
  // Reports begun in this job.
  int reports() const { return reports_; }
  // Pages of the current report (1-based page number).
  int page() const { return page_; }
  PrintTarget& target() { return target_; }
  Canvas& canvas() { return target_.canvas(); }
  // Selects the font of `style` (when it is not the one in force).
  void Use(const PrintStyle& style);
  // Something else has set the canvas's font: the next text sets its own.
  void ForgetFont() { fontSet_ = false; }

 private:
  void DrawHeaderAndFooter();

  PrintTarget& target_;
  const int pointSize_;
  const std::string footer_;
  int h_ = 1;
  int linesPerPage_ = 4;
  CanvasRect titleRect_;
  int c_ = 1;
  std::string title_;
  int line_ = kFirstBodyLine - 1;
  int page_ = 0;
  int reports_ = 0;
  bool cancelled_ = false;
  bool fontSet_ = false;
  bool bold_ = false;
  bool italic_ = false;
};

// `text` folded to lower case with its first character upper-cased.
std::string SentenceCase(std::string_view text);
// `text` with its first character upper-cased.
std::string FirstUpper(std::string_view text);

}  // namespace malvex
