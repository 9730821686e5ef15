// Cross-check with pxlib, a Paradox implementation nobody here wrote. Only its paths known to
// work are used: fresh files written with PX_create_file + PX_put_record, and reading with
// PX_open_fp + PX_get_record (raw bytes) / PX_retrieve_record (text fields). Blank date and
// integer values are judged from the raw bytes, which pxlib misreads on 64-bit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "Fixtures.h"
#include "store/Cp1252.h"
#include "support/TempDir.h"

extern "C" {
#include <paradox.h>
}

using namespace kv::store;

namespace {

using kv::testing::InTempDir;

const FieldDefs Mixed = {FieldDef::Alpha("Name", 255),
                         FieldDef::Alpha("Tag", 10),
                         FieldDef::Of("Date", FieldType::Date),
                         FieldDef::Of("Card", FieldType::Long),
                         FieldDef::Of("Count", FieldType::Short),
                         FieldDef::Of("Value", FieldType::Number),
                         FieldDef::Of("Flag", FieldType::Logical)};

using Row = std::vector<std::string>;

void Quiet(pxdoc_t*, int, const char*, void*) {}

// The texts pxlib reads from a table file, in the form our fields give them.
std::vector<Row> ReadWithPxlib(const std::string& path, FieldDefs& fields) {
    PX_boot();
    pxdoc_t* doc = PX_new3(Quiet, nullptr, nullptr, nullptr, nullptr);
    FILE* fp = std::fopen(path.c_str(), "rb");
    EXPECT_NE(fp, nullptr);
    EXPECT_GE(PX_open_fp(doc, fp), 0) << path;
    int count = PX_get_num_records(doc), nf = PX_get_num_fields(doc);
    pxfield_t* pf = PX_get_fields(doc);
    fields.clear();
    std::vector<int> offsets;
    int offset = 0;
    for (int f = 0; f < nf; ++f) {
        auto type = static_cast<FieldType>(pf[f].px_ftype);
        fields.push_back({pf[f].px_fname, type, type == FieldType::Alpha ? pf[f].px_flen : 0});
        offsets.push_back(offset);
        offset += pf[f].px_flen;
    }
    std::vector<Row> rows;
    std::vector<char> raw(PX_get_recordsize(doc));
    for (int r = 0; r < count; ++r) {
        EXPECT_NE(PX_get_record(doc, r, raw.data()), nullptr);
        pxval_t** values = PX_retrieve_record(doc, r);
        Row row;
        for (int f = 0; f < nf; ++f) {
            const char* at = raw.data() + offsets[f];
            bool blank = std::all_of(at, at + pf[f].px_flen, [](char c) { return c == 0; });
            std::string text;
            long l = 0;
            short s = 0;
            double d = 0;
            char* date = nullptr;
            switch (fields[f].Type) {
                case FieldType::Alpha:
                    if (!values[f]->isnull)
                        text = Cp1252ToUtf8(
                            std::string(values[f]->value.str.val, values[f]->value.str.len));
                    break;
                case FieldType::Long:
                    if (!blank && PX_get_data_long(doc, const_cast<char*>(at), 4, &l) >= 0)
                        text = std::to_string(l);
                    break;
                case FieldType::Short:
                    if (!blank && PX_get_data_short(doc, const_cast<char*>(at), 2, &s) >= 0)
                        text = std::to_string(s);
                    break;
                case FieldType::Number:
                    if (!blank && PX_get_data_double(doc, const_cast<char*>(at), 8, &d) >= 0) {
                        char buf[40];
                        std::snprintf(buf, sizeof buf, "%.15g", d);
                        text = buf;
                    }
                    break;
                case FieldType::Date:
                    if (!blank && PX_get_data_long(doc, const_cast<char*>(at), 4, &l) >= 0) {
                        date = PX_date2string(doc, l, "Y-m-d");
                        text = date;
                        doc->free(doc, date);
                    }
                    break;
                case FieldType::Logical:
                    if (!blank)
                        text = (static_cast<unsigned char>(at[0]) & 0x7F) ? "True" : "False";
                    break;
                default:
                    ADD_FAILURE() << "type " << static_cast<int>(fields[f].Type);
            }
            row.push_back(text);
            if (fields[f].Type == FieldType::Alpha && values[f]->value.str.val)
                doc->free(doc, values[f]->value.str.val);
            doc->free(doc, values[f]);
        }
        doc->free(doc, values);
        rows.push_back(row);
    }
    PX_close(doc);
    PX_delete(doc);
    std::fclose(fp);
    return rows;
}

// Writes a fresh file with pxlib, values given as our texts.
void WriteWithPxlib(const std::string& path, const FieldDefs& fields,
                    const std::vector<Row>& rows) {
    PX_boot();
    pxdoc_t* doc = PX_new3(Quiet, nullptr, nullptr, nullptr, nullptr);
    std::vector<pxfield_t> pf(fields.size());
    std::vector<std::string> names;
    for (const auto& f : fields) names.push_back(f.Name);
    int size = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        pf[i].px_fname = static_cast<char*>(doc->malloc(doc, names[i].size() + 1, "name"));
        std::strcpy(pf[i].px_fname, names[i].c_str());
        pf[i].px_ftype = static_cast<char>(fields[i].Type);
        pf[i].px_flen = ByteSize(fields[i]);
        pf[i].px_fdc = 0;
        size += pf[i].px_flen;
    }
    pxfield_t* owned =
        static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * pf.size(), "fields"));
    std::memcpy(owned, pf.data(), sizeof(pxfield_t) * pf.size());
    ASSERT_GE(PX_create_file(doc, owned, static_cast<int>(fields.size()), path.c_str(),
                             pxfFileTypNonIndexDB),
              0);
    for (const Row& row : rows) {
        std::vector<char> raw(size, 0);
        char* at = raw.data();
        for (size_t i = 0; i < fields.size(); ++i) {
            const std::string& v = row[i];
            if (!v.empty()) {
                switch (fields[i].Type) {
                    case FieldType::Alpha: {
                        std::string bytes = *Utf8ToCp1252(v);
                        std::memcpy(at, bytes.data(), bytes.size());
                        break;
                    }
                    case FieldType::Long:
                        PX_put_data_long(doc, at, 4, std::stoi(v));
                        break;
                    case FieldType::Short:
                        PX_put_data_short(doc, at, 2, static_cast<short>(std::stoi(v)));
                        break;
                    case FieldType::Number:
                        PX_put_data_double(doc, at, 8, std::stod(v));
                        break;
                    case FieldType::Logical:
                        PX_put_data_byte(doc, at, 1, v == "True" ? 1 : 0);
                        break;
                    case FieldType::Date: {
                        int y = 0, m = 0, d = 0;
                        std::sscanf(v.c_str(), "%d-%d-%d", &y, &m, &d);
                        PX_put_data_long(doc, at, 4, PX_GregorianToSdn(y, m, d) - 1721425);
                        break;
                    }
                    default:
                        ADD_FAILURE();
                }
            }
            at += ByteSize(fields[i]);
        }
        ASSERT_GE(PX_put_record(doc, raw.data()), 0);
    }
    PX_close(doc);
    PX_delete(doc);
}

std::vector<Row> ReadWithUs(const std::string& path, FieldDefs& fields) {
    Table t(path);
    t.SetReadOnly(true);
    t.Open();
    fields = t.GetFieldDefs();
    std::vector<Row> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        Row row;
        for (int f = 0; f < t.FieldCount(); ++f) row.push_back(t.Fields(f).AsString());
        rows.push_back(row);
    }
    return rows;
}

Row RandomRow(std::mt19937& rng, int n) {
    static const std::string letters[] = {"a", "Z", "é", "Ö", "€", "ÿ", "ß", " ", "-", "1"};
    std::string name;
    int len = n % 5 == 0 ? 255 : static_cast<int>(rng() % 60);
    for (int i = 0; i < len; ++i) name += letters[rng() % 10];
    if (n % 7 == 0) name.clear();
    return {name,
            "T" + std::to_string(n),
            n % 3 ? "20" + std::to_string(10 + n % 20) + "-0" + std::to_string(1 + n % 9) + "-1" +
                        std::to_string(n % 10)
                  : "",
            n % 4 ? std::to_string(static_cast<int>(rng() % 200000) - 100000) : "",
            n % 6 ? std::to_string(static_cast<int>(rng() % 60000) - 30000) : "",
            n % 5 ? std::to_string(n) + ".25" : "",
            n % 2 ? "True" : (n % 3 ? "False" : "")};
}

using PxlibCross = InTempDir;

TEST_F(PxlibCross, FilesWeWriteAfterEditsReadBackIdenticallyThroughPxlib) {
    std::mt19937 rng(7);
    std::vector<Row> model;
    Table::Create("mixed.db", Mixed);
    Table t("mixed.db");
    t.Open();
    {
        Batch batch(t);
        for (int n = 0; n < 60; ++n) {
            model.push_back(RandomRow(rng, n));
            t.AppendRecord(model.back());
        }
    }
    FieldDefs fields;
    EXPECT_EQ(ReadWithPxlib("mixed.db", fields), model);
    EXPECT_EQ(fields, Mixed);

    // Edits, an insert in the middle and deletions (a whole block's worth at the front).
    t.SetRecNo(20);
    t.Edit();
    t.FieldByName("Name").SetAsString(std::string(255, 'x'));
    t.FieldByName("Card").SetAsString("");
    t.Post();
    model[19][0] = std::string(255, 'x');
    model[19][3] = "";
    t.SetRecNo(30);
    t.Insert();
    Row inserted = RandomRow(rng, 1001);
    for (int f = 0; f < t.FieldCount(); ++f) t.Fields(f).SetAsString(inserted[f]);
    t.Post();
    model.insert(model.begin() + 29, inserted);
    t.First();
    for (int k = 0; k < 8; ++k) t.Delete();
    model.erase(model.begin(), model.begin() + 8);
    t.Last();
    t.Delete();
    model.pop_back();
    EXPECT_EQ(ReadWithPxlib("mixed.db", fields), model);

    while (!t.IsEmpty()) t.Delete();
    EXPECT_TRUE(ReadWithPxlib("mixed.db", fields).empty());
}

TEST_F(PxlibCross, FilesPxlibWritesReadIdenticallyThroughUs) {
    std::mt19937 rng(11);
    std::vector<Row> rows;
    for (int n = 0; n < 40; ++n) rows.push_back(RandomRow(rng, n));
    WriteWithPxlib("px.db", Mixed, rows);
    FieldDefs fields;
    EXPECT_EQ(ReadWithUs("px.db", fields), rows);
    EXPECT_EQ(fields, Mixed);

    // After our edit the file is ours, and pxlib still agrees.
    {
        Table t("px.db");
        t.Open();
        t.SetRecNo(3);
        t.Edit();
        t.FieldByName("Tag").SetAsString("Ünïcödé");
        t.Post();
        rows[2][1] = "Ünïcödé";
    }
    EXPECT_EQ(ReadWithPxlib("px.db", fields), rows);
}

}  // namespace
