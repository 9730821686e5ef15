// kv740-demodocs: the small PDF documents of the demo installation.
//   kv740-demodocs text SOURCE.txt OUT.pdf
//       a help document from a text source: the first line is the title, "# " starts a
//       heading, blank lines separate paragraphs.
//   kv740-demodocs packs PACKS.csv VERSIONS_DIR OUT_DIR [MODEL-PACK-KIND ...]
//       a brief (OUT_DIR/briefs/M-P-AP.pdf) and a manual (OUT_DIR/manuals/M-P-OM.pdf) for every
//       application of the pack table, except the documents named after it (e.g. "758-PP01-AP");
//       a manual lists the items of the factory version table when it exists.
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/CsvTable.h"

namespace {

constexpr double PageWidth = 595, PageHeight = 842, Margin = 60;

// Writes paragraphs top-down with word wrap and page breaks.
class Document {
  public:
    explicit Document(const std::filesystem::path& file) {
        surface_ = cairo_pdf_surface_create(file.c_str(), PageWidth, PageHeight);
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR,
                                       "740-Series demo documents");
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATE_DATE,
                                       "2024-03-01T00:00:00");
        cr_ = cairo_create(surface_);
        y_ = Margin;
    }
    ~Document() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    void Title(const std::string& text) { Block(text, 20, true, 14); }
    void Heading(const std::string& text) { Block(text, 13, true, 6); }
    void Paragraph(const std::string& text) { Block(text, 10.5, false, 8); }
    void Finish() {
        cairo_show_page(cr_);
        cairo_surface_finish(surface_);
        if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error(cairo_status_to_string(cairo_surface_status(surface_)));
    }

  private:
    void Block(const std::string& text, double size, bool bold, double after) {
        cairo_select_font_face(cr_, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
        std::istringstream words(text);
        std::string word, line;
        while (words >> word) {
            const std::string candidate = line.empty() ? word : line + " " + word;
            cairo_text_extents_t extents;
            cairo_text_extents(cr_, candidate.c_str(), &extents);
            if (extents.x_advance > PageWidth - 2 * Margin && !line.empty()) {
                Line(line, size);
                line = word;
            } else {
                line = candidate;
            }
        }
        if (!line.empty()) Line(line, size);
        y_ += after;
    }
    void Line(const std::string& text, double size) {
        if (y_ + size > PageHeight - Margin) {
            cairo_show_page(cr_);
            y_ = Margin;
        }
        y_ += size * 1.3;
        cairo_move_to(cr_, Margin, y_);
        cairo_show_text(cr_, text.c_str());
    }

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    double y_ = 0;
};

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read " + file.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void TextDocument(const std::filesystem::path& source, const std::filesystem::path& out) {
    std::istringstream lines(ReadFile(source));
    Document doc(out);
    std::string line, paragraph;
    std::getline(lines, line);
    doc.Title(line);
    auto flush = [&] {
        if (!paragraph.empty()) doc.Paragraph(paragraph);
        paragraph.clear();
    };
    while (std::getline(lines, line)) {
        if (line.rfind("# ", 0) == 0) {
            flush();
            doc.Heading(line.substr(2));
        } else if (line.empty()) {
            flush();
        } else {
            paragraph += (paragraph.empty() ? "" : " ") + line;
        }
    }
    flush();
    doc.Finish();
}

// Field values of a CSV table by name ("Name:Code" in the first row).
struct CsvTableText {
    std::vector<std::string> Names;
    std::vector<kv::assets::CsvRow> Rows;
    explicit CsvTableText(const std::filesystem::path& file) {
        auto rows = kv::assets::ParseCsv(ReadFile(file));
        for (const std::string& column : rows.at(0))
            Names.push_back(column.substr(0, column.find(':')));
        Rows.assign(rows.begin() + 1, rows.end());
    }
    const std::string& Get(const kv::assets::CsvRow& row, const std::string& name) const {
        for (size_t i = 0; i < Names.size(); ++i)
            if (Names[i] == name) return row.at(i);
        throw std::runtime_error("no field " + name);
    }
};

void Brief(const CsvTableText& packs, const kv::assets::CsvRow& pack,
           const std::filesystem::path& out) {
    const std::string model = packs.Get(pack, "Model"), number = packs.Get(pack, "Pack");
    Document doc(out);
    doc.Title(packs.Get(pack, "Title"));
    doc.Heading("Application brief, model " + model + ", application " + number);
    doc.Paragraph(packs.Get(pack, "Description") + ".");
    doc.Paragraph("Listed under: " + packs.Get(pack, "Button") + ". Database version " +
                  packs.Get(pack, "DB") + ".");
    doc.Paragraph(
        "The application runs on every 740-Series model " + model +
        " instrument of a sufficient hardware class. It is configured with the "
        "740-Series Program Manager and downloaded through the instrument's serial port.");
    doc.Finish();
}

void Manual(const CsvTableText& packs, const kv::assets::CsvRow& pack,
            const std::filesystem::path& versions, const std::filesystem::path& out) {
    const std::string model = packs.Get(pack, "Model"), number = packs.Get(pack, "Pack");
    Document doc(out);
    doc.Title(packs.Get(pack, "Title"));
    doc.Heading("Operating manual, model " + model + ", application " + number);
    doc.Heading("1 Introduction");
    doc.Paragraph(packs.Get(pack, "Description") + ".");
    doc.Heading("2 Installation");
    doc.Paragraph(
        "Mount the instrument in a panel cut-out, connect the supply, the inputs and outputs as "
        "the "
        "terminal plan of the model shows, and the communication port if it is used.");
    doc.Heading("3 Configuration");
    const std::filesystem::path table = versions / (model + "-" + number + "-000000.csv");
    if (std::filesystem::exists(table)) {
        const CsvTableText items(table);
        std::string menu;
        for (const kv::assets::CsvRow& item : items.Rows) {
            const std::string& m = items.Get(item, "Menu");
            if (m == "OP_MENU_FACTORS" || m == "OP_MENU_HIDDEN" ||
                items.Get(item, "Description").empty())
                continue;
            if (m != menu) {
                menu = m;
                doc.Heading(m.substr(std::string("OP_MENU_").size()));
            }
            doc.Paragraph(items.Get(item, "Item") + ": " + items.Get(item, "Description") + ".");
        }
    }
    doc.Finish();
}

void PackDocuments(const std::filesystem::path& packTable, const std::filesystem::path& versions,
                   const std::filesystem::path& out, const std::set<std::string>& without) {
    const CsvTableText packs(packTable);
    std::filesystem::create_directories(out / "briefs");
    std::filesystem::create_directories(out / "manuals");
    for (const kv::assets::CsvRow& pack : packs.Rows) {
        const std::string name = packs.Get(pack, "Model") + "-" + packs.Get(pack, "Pack");
        if (!without.count(name + "-AP")) Brief(packs, pack, out / "briefs" / (name + "-AP.pdf"));
        if (!without.count(name + "-OM"))
            Manual(packs, pack, versions, out / "manuals" / (name + "-OM.pdf"));
    }
}

}  // namespace

// Font caches released at the end, so that a leak checker sees only our own allocations.
struct FontCaches {
    ~FontCaches() {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

int main(int argc, char** argv) {
    FontCaches caches;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 3 && args[0] == "text") {
            TextDocument(args[1], args[2]);
            return 0;
        }
        if (args.size() >= 4 && args[0] == "packs") {
            PackDocuments(args[1], args[2], args[3],
                          std::set<std::string>(args.begin() + 4, args.end()));
            return 0;
        }
        std::cerr
            << "usage: kv740-demodocs text SOURCE.txt OUT.pdf\n"
               "       kv740-demodocs packs PACKS.csv VERSIONS_DIR OUT_DIR [MODEL-PACK-KIND ...]\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "kv740-demodocs: " << error.what() << "\n";
        return 1;
    }
}
