// A small program around the page view for trying the engine by hand: opens
// an HTML file in design mode with moving, multiple selection and live
// resize on. With --script OUT.png it plays a short session of clicks, keys,
// drags, undo and paste, saves a picture of the window and quits.

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventObject.h"
#include "engine/view/EventSink.h"
#include "engine/view/PageView.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

namespace {

// Shows the last event in the status bar; cancels nothing.
class StatusSink : public engine::EventSink
{
public:
    explicit StatusSink(QLabel* label) : m_label(label) {}
    bool invoke(int id, engine::EventObject& e) override
    {
        if (id != engine::events::MouseMove && id != engine::events::MouseOver && id != engine::events::MouseOut)
            m_label->setText(QStringLiteral("event %1 at %2,%3 on %4")
                                 .arg(id)
                                 .arg(e.x)
                                 .arg(e.y)
                                 .arg(e.srcElement ? e.srcElement->tagName() : QStringLiteral("-")));
        return false;
    }

private:
    QLabel* m_label;
};

// Snaps moved and resized boxes to a 10-pixel grid.
class GridHost : public engine::EditHost
{
public:
    void snapRect(engine::Element*, QRect& rect, int corner) override
    {
        auto snap = [](int v) { return (v + 5) / 10 * 10; };
        if (corner == 0) {
            rect.moveTopLeft(QPoint(snap(rect.left()), snap(rect.top())));
            return;
        }
        rect.setRight(snap(rect.right() + 1) - 1);
        rect.setBottom(snap(rect.bottom() + 1) - 1);
    }
};

void addCommand(QMenu* menu, const QString& name, const QKeySequence& keys, engine::Document* doc, int id)
{
    QAction* action = menu->addAction(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(action, &QAction::triggered, [doc, id] { doc->commands().exec(id); });
}

// The scripted session: what a person would do, through the view's input.
void playSession(engine::PageView& view, engine::Document* doc)
{
    using namespace engine;
    DesignModeInput& in = view.input();
    Geometry geometry(view.layout());
    auto centre = [&](const char* id) {
        return geometry.boundingClientRect(doc->getElementById(QString::fromLatin1(id))).center();
    };
    auto click = [&](QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        in.mouseDown(p, LeftButton, mods);
        in.mouseUp(p, LeftButton, mods);
    };
    auto drag = [&](QPoint from, QPoint to) {
        in.mouseDown(from, LeftButton, Qt::NoModifier);
        for (int i = 1; i <= 8; ++i)
            in.mouseMove(from + (to - from) * i / 8, LeftButton, Qt::NoModifier);
        in.mouseUp(to, LeftButton, Qt::NoModifier);
    };
    auto type = [&](const QString& s) {
        for (QChar c : s)
            in.keyDown(c.toUpper().unicode(), Qt::NoModifier, QString(c));
    };
    // Type into the first cell, break the line, undo a word and redo it.
    const QRect c1 = geometry.boundingClientRect(doc->getElementById(QStringLiteral("c1")));
    click(QPoint(c1.right() - 2, c1.center().y()));
    in.keyDown(Qt::Key_End, Qt::NoModifier);
    type(QStringLiteral(" edited"));
    in.keyDown(Qt::Key_Z, Qt::ControlModifier);
    in.keyDown(Qt::Key_Y, Qt::ControlModifier);
    // Select "third" with Shift and the arrows, copy it, paste it after "fourth".
    const QRect c3 = geometry.boundingClientRect(doc->getElementById(QStringLiteral("c3")));
    click(QPoint(c3.left() + 1, c3.center().y()));
    in.keyDown(Qt::Key_Home, Qt::NoModifier);
    for (int i = 0; i < 5; ++i)
        in.keyDown(Qt::Key_Right, Qt::ShiftModifier);
    in.keyDown(Qt::Key_C, Qt::ControlModifier);
    const QRect c4 = geometry.boundingClientRect(doc->getElementById(QStringLiteral("c4")));
    click(QPoint(c4.left() + 1, c4.center().y()));
    in.keyDown(Qt::Key_End, Qt::NoModifier);
    type(QStringLiteral(" + "));
    in.keyDown(Qt::Key_V, Qt::ControlModifier);
    // A new paragraph under the intro.
    const QRect intro = geometry.boundingClientRect(doc->getElementById(QStringLiteral("intro")));
    click(QPoint(intro.left() + 1, intro.center().y()));
    in.keyDown(Qt::Key_End, Qt::NoModifier);
    in.keyDown(Qt::Key_Return, Qt::NoModifier);
    type(QStringLiteral("A new paragraph typed by the script."));
    // Move the orange box, resize the blue one by its bottom-right handle.
    const QPoint box = centre("box");
    click(box);
    drag(box, box + QPoint(-60, 150));
    const QPoint note = centre("note");
    click(note);
    const QRect noteRect = geometry.boundingClientRect(doc->getElementById(QStringLiteral("note")));
    const QPoint handle = PageView::handleRects(noteRect)[7].center();
    drag(handle, handle + QPoint(60, 40));
    // Select a word with a double click.
    const QPoint word = QPoint(intro.left() + 30, intro.center().y());
    in.mouseDown(word, LeftButton, Qt::NoModifier);
    in.mouseUp(word, LeftButton, Qt::NoModifier);
    in.doubleClick(word, LeftButton, Qt::NoModifier);
    in.mouseUp(word, LeftButton, Qt::NoModifier);
    click(note);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString file, shot;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--script") && i + 1 < args.size())
            shot = args[++i];
        else
            file = args[i];
    }
    if (file.isEmpty())
        file = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/demo.html");

    engine::Ref<engine::Document> doc = engine::Document::create();
    platform::FileFault fault = platform::FileFault::None;
    if (!doc->load(file, &fault)) {
        std::fprintf(stderr, "%s: cannot be read (fault %d)\n", qPrintable(file), int(fault));
        return 1;
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Engine demo - %1").arg(QFileInfo(file).fileName()));
    auto* view = new engine::PageView(doc.get(), &window);
    window.setCentralWidget(view);
    auto* status = new QLabel(&window);
    window.statusBar()->addWidget(status);
    StatusSink sink(status);
    GridHost host;
    view->advise(&sink);
    view->setEditHost(&host);
    for (int id :
         {engine::CommandGroup::MultipleSelection, engine::CommandGroup::Position2D, engine::CommandGroup::LiveResize})
        doc->commands().exec(id, engine::Variant(true));
    QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(edit, QStringLiteral("Undo"), QKeySequence(), doc.get(), engine::CommandGroup::Undo);
    addCommand(edit, QStringLiteral("Redo"), QKeySequence(), doc.get(), engine::CommandGroup::Redo);
    edit->addSeparator();
    addCommand(edit, QStringLiteral("Cut"), QKeySequence(), doc.get(), engine::CommandGroup::Cut);
    addCommand(edit, QStringLiteral("Copy"), QKeySequence(), doc.get(), engine::CommandGroup::Copy);
    addCommand(edit, QStringLiteral("Paste"), QKeySequence(), doc.get(), engine::CommandGroup::Paste);
    window.resize(760, 480);
    window.show();
    view->setFocus();
    if (!shot.isEmpty()) {
        QTimer::singleShot(300, [&] {
            view->flushChanges();
            playSession(*view, doc.get());
            view->flushChanges();
            QTimer::singleShot(200, [&] {
                view->flushChanges();
                window.grab().save(shot);
                std::printf("%s\n", qPrintable(doc->body()->innerHTML()));
                app.quit();
            });
        });
    }
    return app.exec();
}
