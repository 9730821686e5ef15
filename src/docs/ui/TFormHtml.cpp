#include "TFormHtml.h"

#include <QVBoxLayout>

#include "docs/Texts.h"

namespace kv::docs::ui {

TFormHtml::TFormHtml(Documents& documents, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), Rules(documents) {
    setObjectName("TFormHtml");
    setWindowTitle(text::NotesCaption);
    resize(560, 440);
    WebBrowser = new QTextBrowser(this);
    WebBrowser->setObjectName("WebBrowser");
    WebBrowser->setAccessibleName(text::NotesCaption);
    WebBrowser->setOpenLinks(false);
    WebBrowser->setOpenExternalLinks(false);
    WebBrowser->document()->setDocumentMargin(8);
    connect(WebBrowser, &QTextBrowser::anchorClicked, this, &TFormHtml::LinkClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser);
}

void TFormHtml::Load(const std::filesystem::path& file) {
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    if (WebBrowser->source() == url)
        WebBrowser->reload();
    else
        WebBrowser->setSource(url);
}

void TFormHtml::ShowNormal() {
    showNormal();
    raise();
    activateWindow();
}

void TFormHtml::LinkClicked(const QUrl& link) {
    const QUrl target = WebBrowser->source().resolved(link);
    const QString name = target.isLocalFile() ? target.toLocalFile() : target.toString();
    if (Rules.WebBrowserBeforeNavigate2(name.toStdString())) WebBrowser->setSource(target);
}

}  // namespace kv::docs::ui
