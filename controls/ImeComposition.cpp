#include "controls/ImeComposition.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>

void ImeComposition::observe(const QInputMethodEvent& event)
{
    m_preedit = event.preeditString();
}

void ImeComposition::complete(QLineEdit& edit)
{
    if (m_preedit.isEmpty())
        return;
    const QString composed = m_preedit;
    m_preedit.clear();
    // The edit takes the composition as committed text: the preedit goes and the
    // text is inserted at the caret in its place.
    if (edit.hasSelectedText())
        edit.del();
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(composed);
    QCoreApplication::sendEvent(&edit, &commit);
    // The input method drops its own copy, so it cannot arrive a second time.
    QGuiApplication::inputMethod()->reset();
}
