#include "builder/Translation.h"

#include "builder/GeneratedSource.h"
#include "builder/NumberFormat.h"
#include "store/Table.h"

namespace kv::builder {

namespace {

// The fields of one record, as the translation works on them.
struct ItemValues {
    std::string Id, Menu, Item, Type, Panel, Access, LowLimit, HighLimit, UnitTag1, UnitTag2,
        LabelTag1, LabelTag2, Coefficient, DefaultValue;
};

// A number as the tables write it, or "0.0" for a text that is none.
std::string NumberOrZero(const std::string& text) {
    auto value = ReadNumber(text);
    return value ? FormatNumber(*value) : "0.0";
}

Table FactorsTableOf(const std::string& id) {
    if (id >= "ID_FINP2") return Table::Factors2;
    if (id >= "ID_FINP1") return Table::Factors1;
    if (id >= "ID_AINP4") return Table::Factors4;
    if (id >= "ID_AINP3") return Table::Factors3;
    if (id >= "ID_AINP2") return Table::Factors4;
    return Table::Factors3;
}

// Restores the version table's filtering however the translation ends.
class FilterOff {
  public:
    explicit FilterOff(store::Table& table) : table_(table), was_(table.Filtered()) {
        table_.SetFiltered(false);
    }
    ~FilterOff() {
        try {
            table_.SetFiltered(was_);
        } catch (...) {
        }
    }
    FilterOff(const FilterOff&) = delete;
    FilterOff& operator=(const FilterOff&) = delete;

  private:
    store::Table& table_;
    bool was_;
};

class Translator {
  public:
    Translator(store::Table& version, const Target& target, const Preferences& preferences,
               const TranslationInputs& inputs, GeneratedSource& source, ListUnits& units)
        : version_(version),
          target_(target),
          preferences_(preferences),
          inputs_(inputs),
          source_(source),
          units_(units),
          inFieldUnits_(InFieldUnitsAllowed(target, preferences.InFieldUnits)) {}

    void Run(const std::function<void(int, int)>& progress) {
        units_.Clear();
        {
            FilterOff filterOff(version_);
            // The normalised records reach the file in one write.
            const bool modifiable = version_.CanModify();
            if (modifiable) version_.BeginBatch();
            try {
                int counter = 0;
                const int records = version_.RecordCount();
                for (version_.First(); !version_.Eof(); version_.Next()) {
                    ItemValues item = Read();
                    if (modifiable) Normalise(item);
                    Translate(item);
                    if (progress) progress(counter, records);
                    ++counter;
                }
            } catch (...) {
                if (modifiable) EndBatchIgnoringFailure();
                throw;
            }
            if (modifiable) EndBatchIgnoringFailure();
        }
        source_.CloseInfoItems();
        units_.WriteUnitCoefs(source_);
    }

  private:
    // A version table that cannot be written is translated from the values it has.
    void EndBatchIgnoringFailure() {
        try {
            version_.EndBatch();
        } catch (...) {
        }
    }

    std::string Field(const char* name) { return version_.FieldByName(name).AsString(); }

    ItemValues Read() {
        return {Field("ID"),          Field("Menu"),        Field("Item"),      Field("Type"),
                Field("Panel"),       Field("Access"),      Field("LowLimit"),  Field("HighLimit"),
                Field("UnitTag1"),    Field("UnitTag2"),    Field("LabelTag1"), Field("LabelTag2"),
                Field("Coefficient"), Field("DefaultValue")};
    }

    // Brings a custom version's record into the form the firmware expects and writes it back.
    // A record that cannot be written keeps its stored values; the working values keep what
    // was assigned before the failure.
    void Normalise(ItemValues& item) {
        const bool options = item.Panel == "Options";
        const bool unitPage =
            item.Panel == "Parameters" || item.Panel == "Units" || item.Panel == "Tables";
        if (!options && unitPage) return;
        try {
            version_.Edit();
            auto write = [&](const char* name, std::string& working, const std::string& value) {
                working = value;
                auto& field = version_.FieldByName(name);
                if (field.AsString() != value) field.SetAsString(value);
            };
            if (options) {
                write("Coefficient", item.Coefficient, "DT_OPTION");
                const auto& rows = inputs_.Options.OfType(item.Type);
                // A type without option rows keeps its limits: empty ones would break the source.
                if (item.Menu != "OP_MENU_HIDDEN" && !rows.empty()) {
                    write("LowLimit", item.LowLimit, rows.front().Item);
                    write("HighLimit", item.HighLimit, rows.back().Item);
                }
            } else {
                write("Coefficient", item.Coefficient, item.Type);
            }
            if (version_.Modified())
                version_.Post();
            else
                version_.Cancel();
        } catch (...) {
            try {
                version_.Cancel();
            } catch (...) {
            }
        }
    }

    void Translate(const ItemValues& item) {
        if (item.Menu == "OP_MENU_FACTORS")
            TableRow(item);
        else if (item.Panel == "Messages" || item.Panel == "Report")
            MessageOrPrinterLine(item);
        else if (item.Panel == "Tables")
            UserTable(item);
        else
            InfoItem(item);
    }

    void TableRow(const ItemValues& item) {
        if (item.Id >= "ID_PARAMETERS")
            source_.AddParameter(item.LabelTag1, NumberOrZero(item.HighLimit));
        else
            source_.AddCorrectionPoint(FactorsTableOf(item.Id), NumberOrZero(item.LowLimit),
                                       NumberOrZero(item.HighLimit));
    }

    void MessageOrPrinterLine(const ItemValues& item) {
        if (item.Menu.starts_with("OP_MENU_HEADERS")) {
            if (!IsOriginalCard(target_)) source_.AddHeader(item.HighLimit);
        } else if (item.Menu.starts_with("OP_MENU_FOOTERS")) {
            if (!IsOriginalCard(target_)) source_.AddFooter(item.HighLimit);
        } else {
            source_.AddMessage(item.Item, item.LowLimit, item.HighLimit, item.Id);
        }
    }

    void UserTable(const ItemValues& item) {
        const std::string& name = item.DefaultValue;
        const auto rows = inputs_.Data.DataRows(item.Type, name);
        if (rows.empty()) return;
        const DataRow* unitRow = inputs_.Data.UnitRow(item.Type);
        const DataRow* tableRow = inputs_.Data.TableRow(item.Type, name);
        std::array<std::string, 5> coefficients;
        for (int j = 0; j < 5; ++j) {
            const std::string unitType = unitRow ? unitRow->Data[j] : std::string();
            const std::string chosen = tableRow ? tableRow->Data[j] : std::string();
            coefficients[j] = inputs_.Options.CoefficientOf(unitType, chosen, true);
        }
        source_.AddUserTableComment(name);
        for (const DataRow* row : rows) {
            std::array<std::string, 5> numbers;
            for (int j = 0; j < 5; ++j)
                numbers[j] = NumberOrZero(ValueConvert(row->Data[j], coefficients[j], item.Panel));
            source_.AddUserPoint(item.Type, numbers, IsModel746(target_) ? nullptr : &row->Data);
        }
    }

    void InfoItem(const ItemValues& item) {
        const std::string coefficient =
            inputs_.Options.CoefficientOf(item.Type, item.Coefficient, false);
        const bool unitsPage = item.Panel == "Units";
        InfoEntry entry{item.Item,
                        item.LabelTag1,
                        item.LabelTag2,
                        item.UnitTag1,
                        item.UnitTag2,
                        std::nullopt,
                        item.Id,
                        item.Menu,
                        item.Access,
                        item.Coefficient,
                        {},
                        {},
                        {}};
        entry.Low = unitsPage ? item.LowLimit
                    : item.LowLimit == "0.001"
                        ? "0.0"
                        : ValueConvert(item.LowLimit, coefficient, item.Panel);
        entry.High =
            unitsPage ? item.HighLimit : ValueConvert(item.HighLimit, coefficient, item.Panel);
        entry.Default = ValueConvert(item.DefaultValue, coefficient, item.Panel);
        if (item.Id == "ID_RESET_TOTALS_ACCUM")
            entry.Default = preferences_.ClearTotals ? "OP_YES" : "OP_NO";
        if (item.Id == "ID_RESET_LOGGER")
            entry.Default = preferences_.ClearLogs ? "OP_YES" : "OP_NO";

        if (item.Id == "ID_ITEM_LAST" && inFieldUnits_) source_.AppendEngineeringUnitsItem();
        if (item.Coefficient.starts_with("GU_")) {
            units_.UpdateListUnits(item.Coefficient, inputs_.Units, inFieldUnits_);
            entry.UnitIndex = units_.IndexOf(item.Coefficient);
            entry.DataType = item.Type;
        }
        source_.AppendInfoItem(entry);

        if (item.Menu.starts_with("OP_MENU_INPUTS")) sharedParameters_ = false;
        if (sharedParameters_ &&
            (item.Menu.starts_with("OP_MENU_PARAMETERS") || item.Panel.starts_with("Parameters")))
            source_.AddComCalId(item.Id);
        if (item.Id.starts_with("ID_PARAMETER_SOURCE")) sharedParameters_ = true;

        if (item.Id == "ID_INFO_CUSTOMER") source_.AppendSerialNumberItem();
    }

    store::Table& version_;
    const Target& target_;
    const Preferences& preferences_;
    const TranslationInputs& inputs_;
    GeneratedSource& source_;
    ListUnits& units_;
    const bool inFieldUnits_;
    bool sharedParameters_ = false;
};

}  // namespace

void Translate(store::Table& version, const Target& target, const Preferences& preferences,
               const TranslationInputs& inputs, GeneratedSource& source, ListUnits& units,
               const std::function<void(int, int)>& progress) {
    Translator(version, target, preferences, inputs, source, units).Run(progress);
}

}  // namespace kv::builder
