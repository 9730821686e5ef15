#pragma once
// The notes viewer: an HTML view that hands every link to the document rules before it is
// followed, so that web addresses go to the browser and the note stays in place.
#include <QTextBrowser>
#include <QWidget>

#include "docs/Documents.h"
#include "docs/NotesViewer.h"

namespace kv::docs::ui {

class TFormHtml : public QWidget, public NotesViewer {
  public:
    TFormHtml(Documents& documents, QWidget* parent);

    void Load(const std::filesystem::path& file) override;
    void ShowNormal() override;
    void Close() override { close(); }
    bool IsOpen() const override { return isVisible(); }

    QTextBrowser* WebBrowser;

  private:
    void LinkClicked(const QUrl& link);

    Documents& Rules;
};

}  // namespace kv::docs::ui
