#include "dialogs/GridModel.h"

#include "controls/NumberField.h"
#include "res/resource.h"

const int GridModel::kKindStrings[kKindCount] = {IDS_GRID_KIND_NONE, IDS_GRID_KIND_DOTS, IDS_GRID_KIND_LINES,
                                                 IDS_GRID_KIND_DOTTED_LINES};

void GridModel::SetInitialValues(int kind, int spacing)
{
    m_nKind = kind;
    m_strSpacing = QString::number(spacing);
}

GridModel::Check GridModel::CheckOnOK()
{
    const int spacing = NumberField::valueOf(m_strSpacing);
    if (spacing < kMinSpacing) {
        m_strSpacing = QString::number(kMinSpacing);
        return Check::BelowRange;
    }
    if (spacing > kMaxSpacing) {
        m_strSpacing = QString::number(kMaxSpacing);
        return Check::AboveRange;
    }
    return Check::Valid;
}
