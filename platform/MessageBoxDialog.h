#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace platform {

// The program's message box: an icon, the text, an optional check box under
// the text and a centred row of buttons, each ending the box with its id
// (IDOK, IDCANCEL, IDYES, IDNO) and named "id_<id>". Escape and the window's
// close button give IDCANCEL when there is a Cancel button, IDOK when OK is
// the only button, and nothing otherwise. The first button is the default.
class MessageBoxDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Icon { None, Exclamation, Information, Question, Critical };

    MessageBoxDialog(QWidget* parent, const QString& caption, const QString& text, Icon icon);

    // Buttons appear in the order they are added.
    void addButton(int id, const QString& label);
    // A check box under the text, named "id_<controlId>".
    void setCheckBox(const QString& label, int controlId);

    QString text() const { return m_text; }
    QList<int> buttonIds() const { return m_buttonIds; }
    bool hasCheckBox() const { return m_checkBox != nullptr; }
    bool isChecked() const;

public slots:
    void reject() override;

private:
    QString m_text;
    QLabel* m_textLabel = nullptr;
    QVBoxLayout* m_textColumn = nullptr;
    QCheckBox* m_checkBox = nullptr;
    QHBoxLayout* m_buttonRow = nullptr;
    QList<int> m_buttonIds;
};

} // namespace platform
