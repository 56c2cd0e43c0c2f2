#pragma once

#include "effects/ScriptStartModel.h"
#include "effects/VornaScriptPage.h"

class QListWidget;

// The script wizard's start page (10014): the kind of effect.
class VornaDlgScriptStart : public VornaScriptPage, public ScriptStartModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    // A row of the kind list became current (-1: none).
    void OnItemChanged(int row);
    QListWidget* kindList() const { return m_listKind; }

protected:
    void OnInitDialog() override;

private:
    QListWidget* m_listKind = nullptr;
};
