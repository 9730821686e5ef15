#include "PdfTools.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>
#include <stdexcept>

namespace kv::report::test {

std::string RunTool(const std::string& command, int* status) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int result = pclose(pipe);
    if (status) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return out;
}

std::string InfoField(const std::string& pdf, const std::string& field) {
    const std::string info = RunTool("pdfinfo '" + pdf + "' 2>&1");
    std::smatch match;
    if (!std::regex_search(info, match, std::regex("(^|\n)" + field + ":[ \t]*([^\n]*)")))
        return "";
    return match[2];
}

std::vector<std::string> PageTexts(const std::string& pdf) {
    const std::string text = RunTool("pdftotext -layout '" + pdf + "' - 2>&1");
    std::vector<std::string> pages;
    size_t start = 0, end;
    while ((end = text.find('\f', start)) != std::string::npos) {
        pages.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pages;
}

namespace {

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), plain);
    return text;
}

}  // namespace

std::vector<std::vector<Word>> PageWords(const std::string& pdf) {
    const std::string html = RunTool("pdftotext -bbox '" + pdf + "' - 2>&1");
    std::vector<std::vector<Word>> pages;
    const std::regex token(
        R"x(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)x");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), token);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (!m[1].matched) {
            pages.emplace_back();
        } else if (!pages.empty()) {
            pages.back().push_back({std::stod(m[1]), std::stod(m[2]), Unescape(m[3])});
        }
    }
    return pages;
}

std::string TextIn(const std::vector<Word>& page, double y, double left, double right) {
    std::string text;
    for (const Word& word : page) {
        if (word.Y < y - 3 || word.Y > y + 3 || word.X < left || word.X >= right) continue;
        text += (text.empty() ? "" : " ") + word.Text;
    }
    return text;
}

const Word* FindWord(const std::vector<Word>& page, const std::string& text) {
    for (const Word& word : page)
        if (word.Text == text) return &word;
    return nullptr;
}

std::vector<OutlineEntry> Outline(const std::string& pdf) {
    const std::string json = RunTool("qpdf --json --json-key=outlines '" + pdf + "' 2>&1");
    std::vector<OutlineEntry> entries;
    const std::regex entry(
        R"x("destpageposfrom1": ([0-9]+),[\s\S]*?"title": "((?:[^"\\]|\\.)*)")x");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), entry);
         it != std::sregex_iterator(); ++it)
        entries.push_back({(*it)[2], std::stoi((*it)[1])});
    return entries;
}

}  // namespace kv::report::test
