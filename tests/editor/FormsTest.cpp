// The product codes page and the preferences dialog offscreen, driven through their widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <functional>

#include "editor/ui/TFormModels.h"
#include "editor/ui/TFormOptions.h"

namespace kv::editor::ui {
namespace {

using catalogue::PreferenceFlags;

// Runs `act` on the modal dialog once it is shown.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return WhenModal(act);
        act(modal);
    });
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

PreferenceFlags ModelSelected(const std::string& model) {
    PreferenceFlags flags;
    flags.OriginalEnabled = model == "758";
    return flags;
}

struct Shown {
    bool UnitsVisible = false, UnitsEnabled = false, StandardVisible = true;
};

TEST(TFormOptions, ShowsTheUnitsBoxWhereProgrammableUnitsAreOffered) {
    TFormOptions form(nullptr);
    EXPECT_EQ(form.windowTitle(), "740-Series Options");
    struct Case {
        const char *Model, *Pack;
        bool Visible;
    };
    for (const Case& c : {Case{"746", "FC01", true}, Case{"746", "FG01", false},
                          Case{"746", "BC01", false}, Case{"758", "BC02", true}}) {
        PreferenceFlags flags = ModelSelected(c.Model);
        Shown shown;
        WhenModal([&](QWidget* dialog) {
            auto* units = Child<QCheckBox>(dialog, "CheckBoxInFieldUnits");
            shown = {units->isVisible(), units->isEnabled(),
                     Child<QCheckBox>(dialog, "CheckBoxStandardModel")->isVisible()};
            Child<QPushButton>(dialog, "ButtonOk")->click();
        });
        form.Execute(flags, c.Model, c.Pack);
        EXPECT_EQ(shown.UnitsVisible, c.Visible) << c.Model << "-" << c.Pack;
        EXPECT_TRUE(shown.UnitsEnabled) << c.Model << "-" << c.Pack;
        EXPECT_FALSE(shown.StandardVisible);
        EXPECT_TRUE(flags.InFieldUnits && flags.ClearTotals && flags.ClearLogs && !flags.Original);
    }
}

TEST(TFormOptions, TheCloseBoxKeepsTheChangesAsOkDoes) {
    TFormOptions form(nullptr);
    for (bool byCloseBox : {true, false}) {
        PreferenceFlags flags = ModelSelected("746");
        WhenModal([&](QWidget* dialog) {
            Child<QCheckBox>(dialog, "CheckBoxInFieldUnits")->click();
            Child<QCheckBox>(dialog, "CheckBoxClearLogs")->click();
            if (byCloseBox)
                dialog->close();
            else
                Child<QPushButton>(dialog, "ButtonOk")->click();
        });
        form.Execute(flags, "746", "FC01");
        EXPECT_FALSE(flags.InFieldUnits) << byCloseBox;
        EXPECT_TRUE(flags.ClearTotals) << byCloseBox;
        EXPECT_FALSE(flags.ClearLogs) << byCloseBox;
        EXPECT_FALSE(flags.Original) << byCloseBox;

        // The next showing starts from the flags.
        bool unitsChecked = true, logsChecked = true;
        WhenModal([&](QWidget* dialog) {
            unitsChecked = Child<QCheckBox>(dialog, "CheckBoxInFieldUnits")->isChecked();
            logsChecked = Child<QCheckBox>(dialog, "CheckBoxClearLogs")->isChecked();
            dialog->close();
        });
        form.Execute(flags, "746", "FC01");
        EXPECT_FALSE(unitsChecked);
        EXPECT_FALSE(logsChecked);
        EXPECT_FALSE(flags.InFieldUnits);
    }
}

TEST(TFormOptions, ClearingTheStandardHardwareBoxChoosesTheOriginalWithoutUnits) {
    TFormOptions form(nullptr);
    PreferenceFlags flags = ModelSelected("758");
    bool unitsEnabled = true, unitsChecked = true;
    WhenModal([&](QWidget* dialog) {
        Child<QCheckBox>(dialog, "CheckBoxStandardModel")->click();
        auto* units = Child<QCheckBox>(dialog, "CheckBoxInFieldUnits");
        unitsEnabled = units->isEnabled();
        unitsChecked = units->isChecked();
        dialog->close();
    });
    form.Execute(flags, "758", "FP01");
    EXPECT_FALSE(unitsEnabled);
    EXPECT_FALSE(unitsChecked);
    EXPECT_TRUE(flags.Original);
    EXPECT_FALSE(flags.InFieldUnits);
}

struct PageSeen {
    int Index = -1;
    bool TabsShown = true;
    QStringList Summary;
    bool RelayEnabled = true;
};

PageSeen Look(TFormModels& form, int page) {
    return {form.PageControlModels->currentIndex(), form.PageControlModels->tabBar()->isVisible(),
            form.Memo(page)->toPlainText().split('\n'), form.RadioGroup(page, 5)->isEnabled()};
}

TEST(TFormModels, ThePageOfTheModelComposesTheOrderCode) {
    TFormModels form(nullptr);
    EXPECT_EQ(form.windowTitle(), "Product Codes Page");
    PageSeen atShow, afterOptions0, afterOptions2;
    WhenModal([&](QWidget* dialog) {
        atShow = Look(form, 1);
        Child<QRadioButton>(dialog, "RadioGroupOptions758_0")->click();
        afterOptions0 = Look(form, 1);
        Child<QRadioButton>(dialog, "RadioGroupOptions758_2")->click();
        Child<QRadioButton>(dialog, "RadioGroupRelayType758_3")->click();
        afterOptions2 = Look(form, 1);
        dialog->close();
    });
    form.Execute({"FP01", "758", "Pulse Input Flow Rate Totaliser", "Class 02"});

    EXPECT_EQ(atShow.Index, 1);
    EXPECT_FALSE(atShow.TabsShown);
    ASSERT_EQ(atShow.Summary.size(), 9);
    EXPECT_EQ(atShow.Summary[0],
              "758-FP01 Instrument    \"Pulse Input Flow Rate Totaliser\"    (Class 02)");
    EXPECT_EQ(atShow.Summary[2], "Model:\t\t758.111USN-FP01");
    EXPECT_TRUE(atShow.RelayEnabled);

    EXPECT_EQ(afterOptions0.Summary[2], "Model:\t\t758.101USN-FP01");
    EXPECT_FALSE(afterOptions0.RelayEnabled);
    EXPECT_EQ(afterOptions2.Summary[2], "Model:\t\t758.123USN-FP01");
    EXPECT_TRUE(afterOptions2.RelayEnabled);
}

TEST(TFormModels, KeepsTheChoicesForTheSameApplicationAndResetsForAnother) {
    TFormModels form(nullptr);
    auto show = [&](const ProductSelection& selection, std::function<void(QWidget*)> act) {
        PageSeen seen;
        WhenModal([&, act](QWidget* dialog) {
            if (act) act(dialog);
            seen = Look(form, selection.Model == "746" ? 0 : 1);
            dialog->close();
        });
        form.Execute(selection);
        return seen;
    };
    const ProductSelection fc01{"FC01", "746", "Flow Computer", "Class 01"};
    show(fc01, [](QWidget* dialog) {
        Child<QRadioButton>(dialog, "RadioGroupPowerSupply746_D")->click();
        Child<QRadioButton>(dialog, "RadioGroupPCBProtection746_C")->click();
    });
    const PageSeen again = show(fc01, {});
    EXPECT_EQ(again.Index, 0);
    EXPECT_EQ(again.Summary[2], "Model:\t\t746.112DSC-FC01");
    EXPECT_TRUE(Child<QRadioButton>(&form, "RadioGroupPowerSupply746_D")->isChecked());

    const PageSeen other = show({"HC01", "746", "Heat Calculator", "Class 02"}, {});
    EXPECT_EQ(other.Summary[0], "746-HC01 Instrument    \"Heat Calculator\"    (Class 02)");
    EXPECT_EQ(other.Summary[2], "Model:\t\t746.112ESN-HC01");
    EXPECT_TRUE(Child<QRadioButton>(&form, "RadioGroupPowerSupply746_E")->isChecked());
}

}  // namespace
}  // namespace kv::editor::ui
