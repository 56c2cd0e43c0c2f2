#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// The tooltips of a dialog: created with the dialog, one tool per described
// control with its text. The tips show through the toolkit's own tooltips, so
// no mouse messages need relaying.
class CVornaToolTipCtrl : public QObject
{
    Q_OBJECT
public:
    explicit CVornaToolTipCtrl(QObject* parent = nullptr) : QObject(parent) {}

    bool Create(QWidget* parent);
    // Describes the control with the text. False without a control.
    bool AddTool(QWidget* control, const QString& text);
    void UpdateTipText(const QString& text, QWidget* control);
    QString GetText(const QWidget* control) const;

private:
    QPointer<QWidget> m_parent;
};
