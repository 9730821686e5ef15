#include "QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace kv::base::ui {

bool QtShell::Open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    // A path starts with "/"; anything else with a scheme is a web address.
    const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text);
    return QDesktopServices::openUrl(url);
}

}  // namespace kv::base::ui
