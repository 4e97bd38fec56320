#include "platform/console_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace malvex {
namespace {

// A temporary file used as the box's output or input stream.
class Stream {
 public:
  explicit Stream(const std::string& content = "") : file_(std::tmpfile()) {
    std::fputs(content.c_str(), file_);
    std::rewind(file_);
  }
  ~Stream() { std::fclose(file_); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  std::FILE* get() const { return file_; }
  std::string Contents() const {
    std::fflush(file_);
    const long end = std::ftell(file_);
    std::string text(static_cast<size_t>(end), '\0');
    std::rewind(file_);
    const size_t n = std::fread(text.data(), 1, text.size(), file_);
    text.resize(n);
    std::fseek(file_, 0, SEEK_END);
    return text;
  }
  long Position() const { return std::ftell(file_); }

 private:
  std::FILE* file_;
};

TEST(ConsoleBoxTest, DefaultAnswers) {
  const struct {
    BoxKind kind;
    int plain, assumeYes;
  } cases[] = {{BoxKind::kMessage, kButton2, kButton2},
               {BoxKind::kOkCancel, kButton3, kButton1},
               {BoxKind::kYesNoCancel, kButton2, kButton1},
               {BoxKind::kYesNoDefaultNo, kButton3, kButton1},
               {BoxKind::kYesNoDefaultYes, kButton1, kButton1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ConsoleBox::DefaultAnswer(c.kind, false), c.plain) << int(c.kind);
    EXPECT_EQ(ConsoleBox::DefaultAnswer(c.kind, true), c.assumeYes) << int(c.kind);
  }
}

TEST(ConsoleBoxTest, WritesUtf8AndNeverReadsWhenNotInteractive) {
  Stream out;
  Stream in("y\n");
  ConsoleBox box({}, {}, out.get(), in.get());
  int answer = -1;
  // "Continuaţi? Maşină" in code page 1250.
  EXPECT_TRUE(box.Show("Continua\xFEi? Ma\xBAin\xE3", BoxKind::kYesNoDefaultNo, false, answer));
  EXPECT_EQ(answer, kButton3);
  EXPECT_EQ(in.Position(), 0);
  const std::string text = out.Contents();
  EXPECT_NE(text.find("Continua\xC5\xA3i? Ma\xC5\x9Fin\xC4\x83\n"), std::string::npos) << text;
  EXPECT_NE(text.find("-> No"), std::string::npos) << text;
}

TEST(ConsoleBoxTest, UsesTheGivenConverter) {
  Stream out;
  int calls = 0;
  ConsoleBox box(
      [&calls](const std::string& s) {
        ++calls;
        return "<" + s + ">";
      },
      {}, out.get());
  int answer = -1;
  box.Show("text", BoxKind::kMessage, false, answer);
  box.LastResortError("fault");
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(answer, kButton2);
  const std::string text = out.Contents();
  EXPECT_NE(text.find("<text>\n"), std::string::npos);
  EXPECT_NE(text.find("Error - Erreur: <fault>\n"), std::string::npos);
}

TEST(ConsoleBoxTest, AssumeYesAndTheCheckBox) {
  Stream out;
  ConsoleBox::Options options;
  options.assumeYes = true;
  options.tickCheckBox = true;
  ConsoleBox box({}, options, out.get());
  int answer = 0;
  EXPECT_TRUE(box.Show("q", BoxKind::kYesNoDefaultNo, false, answer));
  EXPECT_EQ(answer, kButton1);
  EXPECT_FALSE(box.DontShowAgain());
  EXPECT_TRUE(box.Show("q", BoxKind::kYesNoDefaultNo, true, answer));
  EXPECT_TRUE(box.DontShowAgain());
  EXPECT_TRUE(box.Show("q", BoxKind::kOkCancel, false, answer));
  EXPECT_EQ(answer, kButton1);
}

TEST(ConsoleBoxTest, InteractiveReadsTheAnswers) {
  Stream out;
  // y: Yes; empty line: the default (No); x is not an answer, then c: Cancel;
  // o: Ok; then end of input closes the box.
  Stream in("y\n\nx\nc\no\n");
  ConsoleBox::Options options;
  options.interactive = true;
  ConsoleBox box({}, options, out.get(), in.get());
  int answer = -1;
  box.Show("1", BoxKind::kYesNoDefaultNo, false, answer);
  EXPECT_EQ(answer, kButton1);
  box.Show("2", BoxKind::kYesNoCancel, false, answer);
  EXPECT_EQ(answer, kButton2);
  box.Show("3", BoxKind::kYesNoCancel, false, answer);
  EXPECT_EQ(answer, kButton3);
  box.Show("4", BoxKind::kOkCancel, false, answer);
  EXPECT_EQ(answer, kButton1);
  box.Show("5", BoxKind::kYesNoDefaultYes, false, answer);
  EXPECT_EQ(answer, kClosed);
}

}  // namespace
}  // namespace malvex
