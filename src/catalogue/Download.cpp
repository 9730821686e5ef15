// The Download command: the build of the selected version, then the console.
#include "builder/FirmwareBuilder.h"
#include "catalogue/Manager.h"
#include "report/TFormPdf.h"

namespace kv::catalogue {

report::TReportSource Manager::ReportSource() {
    report::TReportSource source;
    source.VersionLabel = FilterBox.Text(Slot::Version);
    source.Title = RecordField("Title");
    source.VersionTable = FilterBox.Text(Slot::FileName);
    source.SoftwareType = builder::GetSoftwareType();
    source.Revision = StatusRevision;
    return source;
}

void Manager::ActionDownloadExecute() {
    builder::BuildRequest request;
    request.Target = CurrentTarget();
    request.Preferences = {Preferences.InFieldUnits, Preferences.ClearTotals,
                           Preferences.ClearLogs};
    request.Code = FilterBox.Text(Slot::Customer);
    request.DB = RecordField("DB");
    request.Revision = StatusRevision;
    request.Manual = FilterBox.Text(Slot::Manual);

    builder::FirmwareBuilder builder(Services.Prompter);
    builder.Toolchain = Toolchain;
    builder.Hooks.ShowProgress = [this](const std::string& caption) {
        if (OnShowProgress) OnShowProgress(caption);
    };
    builder.Hooks.Progress = [this](int position, int max) {
        if (OnProgress) OnProgress(position, max);
    };
    builder.Hooks.CloseProgress = [this] {
        if (OnCloseProgress) OnCloseProgress();
    };
    builder.Hooks.CreateReport = [&](const std::string& file) {
        report::TFormPdf form(Services.Prompter);
        form.Source = ReportSource();
        form.CreateReport(file);
    };
    builder.Hooks.ShowConsole = [this](const std::string& versionName) {
        if (OnShowConsole) OnShowConsole(versionName);
    };

    TablesPost();
    Refresh(true);
    builder.VersionFileDownload(TableVersion, request);
    Refresh();
}

}  // namespace kv::catalogue
