#pragma once

#include <QLabel>

// The label of the dialogs; a plain label.
class CVornaStatic : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};
