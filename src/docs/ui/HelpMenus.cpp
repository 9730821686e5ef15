#include "HelpMenus.h"

#include <QAction>
#include <QMenu>

#include "docs/HelpMenu.h"

namespace kv::docs::ui {

namespace {

QAction* AddItem(QWidget& menu, const TMenuText& text, std::function<void()> run) {
    auto* action = new QAction(text.Caption, &menu);
    action->setObjectName(text.ObjectName);
    action->setStatusTip(text.Hint);
    action->setToolTip(text.Hint);
    QObject::connect(action, &QAction::triggered, &menu, std::move(run));
    menu.addAction(action);
    return action;
}

QAction* AddDocument(QWidget& menu, Documents& documents, const THelpItem& item) {
    QAction* action = AddItem(menu, item.Text, [&documents, path = item.Path] { documents.ShowDoc(path); });
    action->setEnabled(HelpItemEnabled(item));
    return action;
}

QMenu* AddMenu(QMenuBar& bar, const TMenuText& text) {
    QMenu* menu = bar.addMenu(text.Caption);
    menu->setObjectName(text.ObjectName);
    menu->menuAction()->setObjectName(QString(text.ObjectName) + "Action");
    menu->menuAction()->setStatusTip(text.Hint);
    return menu;
}

}  // namespace

void AddHelpMenus(QMenuBar& bar, Documents& documents, const TWebLinks& links, std::function<void()> about) {
    QMenu* help = AddMenu(bar, HelpMenuText);
    AddDocument(*help, documents, UserGuide);
    AddDocument(*help, documents, Overview746);
    AddDocument(*help, documents, Overview758);
    help->addSeparator();
    AddItem(*help, AboutItem, std::move(about));

    QMenu* web = AddMenu(bar, WebLinksMenuText);
    AddItem(*web, HomePageItem, [&documents, address = links.HomePage] { documents.ShowWeb(address); });
    AddItem(*web, ZerdanToolItem, [&documents, address = links.ZerdanTool] { documents.ShowWeb(address); });

    AddDocument(bar, documents, ReleaseNotes);
}

}  // namespace kv::docs::ui
