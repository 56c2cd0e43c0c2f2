#pragma once

#include <QString>
#include <QWidget>

class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Gives a control its objectName "id_<id>" and hands it back.
template <class Control> Control* Named(Control* control, int id)
{
    control->setObjectName(QStringLiteral("id_%1").arg(id));
    return control;
}

QRadioButton* NamedRadio(const QString& label, int id, QWidget* parent);
// A control with two radios beside it; the radios make one group.
QHBoxLayout* WithRadios(QWidget* control, QRadioButton* first, QRadioButton* second);
// A form row whose field is a row of controls: the label's mnemonic reaches
// the first of them.
void AddRow(QFormLayout* form, const QString& label, QHBoxLayout* row);
// The background picture row: its edit (1296) and 参照 (1475).
QHBoxLayout* ImageRow(QWidget* parent, QLineEdit*& edit, QPushButton*& browse);
// 参照 of the background picture row: the insert-image dialog, run modally
// from the wallpaper folder; the chosen path written with "/", or an empty
// text when cancelled.
QString BrowseWallpaper(QWidget* parent);
