#include "report/OpenSettings.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <exception>
#include <filesystem>

#include "report/TWPPDFPrinter.h"

namespace kv::report {

namespace {
constexpr const char* OpenSettingsFailed =
    "PDF output failed: the open settings could not be written";
}  // namespace

void SetOpenSettings(const std::string& file) {
    const std::string temporary = file + ".open.tmp";
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(file.c_str());
        QPDFObjectHandle root = pdf.getRoot();
        root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        const auto pages = QPDFPageDocumentHelper(pdf).getAllPages();
        if (!pages.empty()) {
            // FitH with no top keeps the reader at the page's top.
            QPDFObjectHandle action = QPDFObjectHandle::newArray();
            action.appendItem(pages.front().getObjectHandle());
            action.appendItem(QPDFObjectHandle::newName("/FitH"));
            action.appendItem(QPDFObjectHandle::newNull());
            root.replaceKey("/OpenAction", action);
        }
        QPDFWriter writer(pdf, temporary.c_str());
        writer.write();
    } catch (const std::exception&) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw EPdfError(OpenSettingsFailed);
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw EPdfError(OpenSettingsFailed);
    }
}

}  // namespace kv::report
