#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

// A combo box whose list is always open: an edit field over a list. Typing
// selects the first entry that begins with the text (without regard to case)
// or none; choosing an entry writes its text into the field.
class SimpleComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    int count() const;
    QString itemText(int index) const;
    int currentIndex() const;
    // Selects the entry (-1 for none) and shows its text; no signal.
    void setCurrentIndex(int index);
    QString text() const;

    QLineEdit* edit() const { return m_edit; }
    QListWidget* list() const { return m_list; }

signals:
    // The user chose an entry in the list.
    void activated(int index);
    // The user typed in the field.
    void textEdited(const QString& text);

private:
    QLineEdit* m_edit;
    QListWidget* m_list;
};
