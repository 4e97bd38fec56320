#include "views/print_frame.h"

#include <algorithm>
#include <cstdlib>

#include "foundations/charset.h"

namespace malvex {

std::string SentenceCase(std::string_view text) {
  std::string out(text);
  FoldToLower(out);
  if (!out.empty()) UpperCaseChar(out.data(), 0);
  return out;
}

std::string FirstUpper(std::string_view text) {
  std::string out(text);
  if (!out.empty()) UpperCaseChar(out.data(), 0);
  return out;
}

PrintFrame::PrintFrame(PrintTarget& target, int pointSize, std::string footer)
    : target_(target), pointSize_(std::max(pointSize, 1)), footer_(std::move(footer)) {
  const int size = std::abs(pointSize_ * target_.ResolutionY() / 72);
  h_ = std::max(size + size * 4 / 10, 1);
  linesPerPage_ = std::max(target_.PageHeight() / h_ - 3, kFirstBodyLine + 1);
  titleRect_ = CanvasRect{kBoxIndent, h_, target_.PageWidth(), 2 * h_};
  c_ = std::max(titleRect_.width() / 2, 1);
}

void PrintFrame::Use(const PrintStyle& style) {
  if (fontSet_ && style.bold == bold_ && style.italic == italic_) return;
  target_.SetFont(pointSize_, style.bold, style.italic);
  fontSet_ = true;
  bold_ = style.bold;
  italic_ = style.italic;
}

bool PrintFrame::BeginReport(std::string title) {
  if (cancelled()) return false;
  if (reports_ > 0 && !target_.NewPage()) {
    cancelled_ = true;
    return false;
  }
  if (cancelled()) return false;
  ++reports_;
  title_ = std::move(title);
  page_ = 1;
  line_ = kFirstBodyLine - 1;
  return !cancelled();
}

void PrintFrame::EndReport() { DrawHeaderAndFooter(); }

bool PrintFrame::NextLine() {
  if (cancelled()) return false;
  ++line_;
  if (line_ >= linesPerPage_) return BreakPage();
  return true;
}

bool PrintFrame::BreakPage() {
  DrawHeaderAndFooter();
  if (!target_.NewPage()) {
    cancelled_ = true;
    return false;
  }
  ++page_;
  line_ = kFirstBodyLine;
  return !cancelled();
}

void PrintFrame::DrawHeaderAndFooter() {
  const PrintStyle plain;
  Canvas& canvas = target_.canvas();
  const int width = target_.PageWidth();
  const int height = target_.PageHeight();
  Use(plain);
  const std::string number = std::to_string(page_);
  canvas.DrawText(width - canvas.TextWidth(number), h_, number, TextStyle{});
  // The title, centred in its box (cut when it is wider).
  const std::string title = Fit(title_, titleRect_.width() - 2 * canvas.TextWidth(number) - 2 * h_);
  canvas.DrawText(titleRect_.left + (titleRect_.width() - canvas.TextWidth(title)) / 2, h_, title, TextStyle{});
  canvas.DrawLine(0, 2 * h_ + 2, width, 2 * h_ + 2, kBlack);
  const CanvasRect footerBox{kBoxIndent, height - 2 * h_, width, height - h_};
  const std::string footer = Fit(footer_, footerBox.width());
  canvas.DrawText(footerBox.left + (footerBox.width() - canvas.TextWidth(footer)) / 2, footerBox.top, footer,
                  TextStyle{});
  canvas.DrawLine(0, height - 2 * h_ - 2, width, height - 2 * h_ - 2, kBlack);
}

void PrintFrame::Text(int x, std::string_view text, const PrintStyle& style) {
  if (text.empty()) return;
  Use(style);
  TextStyle ink;
  ink.colour = style.colour;
  target_.canvas().DrawText(x, y(), text, ink);
}

void PrintFrame::RightText(int right, std::string_view text, const PrintStyle& style) {
  if (text.empty()) return;
  Use(style);
  Text(right - target_.canvas().TextWidth(text), text, style);
}

int PrintFrame::Width(std::string_view text, const PrintStyle& style) {
  Use(style);
  return target_.canvas().TextWidth(text);
}

std::string PrintFrame::Fit(std::string_view text, int width, const PrintStyle& style) {
  if (Width(text, style) <= width) return std::string(text);
  // Code page 1250's ellipsis.
  const std::string ellipsis = "\x85";
  std::string cut(text);
  while (!cut.empty() && Width(cut + ellipsis, style) > width) cut.pop_back();
  return cut.empty() ? std::string() : cut + ellipsis;
}

void PrintFrame::Line(int x1, int y1, int x2, int y2) { target_.canvas().DrawLine(x1, y1, x2, y2, kBlack); }

}  // namespace malvex
