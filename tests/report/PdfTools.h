#pragma once
// Reading a PDF back with tools nobody here wrote: poppler's pdfinfo and pdftotext, qpdf.
#include <string>
#include <vector>

namespace kv::report::test {

// Standard output of a shell command; the exit status goes to `status` when given.
std::string RunTool(const std::string& command, int* status = nullptr);

// "Pages", "Title", ... of pdfinfo.
std::string InfoField(const std::string& pdf, const std::string& field);

// Text of each page, laid out (pdftotext -layout).
std::vector<std::string> PageTexts(const std::string& pdf);

struct Word {
    double X = 0, Y = 0;  // top left, points
    std::string Text;
};
// The words of each page with their positions (pdftotext -bbox).
std::vector<std::vector<Word>> PageWords(const std::string& pdf);
// Words of the row whose top is near `y`, with their left edge in [left, right).
std::string TextIn(const std::vector<Word>& page, double y, double left, double right);
// The first word with that text; null when there is none.
const Word* FindWord(const std::vector<Word>& page, const std::string& text);

struct OutlineEntry {
    std::string Title;
    int Page = 0;
};
// The top level of the document outline (qpdf --json).
std::vector<OutlineEntry> Outline(const std::string& pdf);

}  // namespace kv::report::test
