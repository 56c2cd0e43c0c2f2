#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QVBoxLayout;
class VornaDlgScript;
class VornaHTMLViewer;

// One page of the script wizard (VornaDlgScript): its own controls on the
// left, the preview (a picture or a live page in an HTML viewer) and the
// description of the current choice on the right. A page is made without a
// window; the wizard creates its window inside its page frame, and destroys
// it (viewer first) when it finishes, leaving the page's fields for the
// effect writers.
class VornaScriptPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PreviewWidth = 204;
    static constexpr int PreviewHeight = 174;

    VornaScriptPage();
    ~VornaScriptPage() override;

    // Creates the page's window in the wizard's page frame: the common
    // parts, then the page's own controls (OnInitDialog).
    void Create(VornaDlgScript* wizard, QWidget* frame);
    bool IsCreated() const { return m_pWizard != nullptr; }
    // The viewer goes first, then the page leaves the wizard's frame.
    void DestroyWindow();

    // The controls' values into the page's fields; false when one is not
    // acceptable, and the wizard stays on the page.
    virtual bool SaveData() { return true; }
    // Whether the fields can be handed on when the user goes forward or
    // finishes; false after telling the user why.
    virtual bool CheckValues() { return true; }
    // The string id of the wizard's title while the page is shown.
    virtual unsigned int TitleId() const = 0;

    VornaHTMLViewer* viewer() const { return m_pViewer; }
    QString description() const;

protected:
    virtual void OnInitDialog() = 0;

    // The wizard's flag of this page and its Next/Finish button.
    void SetNextEnabled(bool enabled);
    void SetDescription(const QString& text);
    // Shows a picture of the install folder's Other/script/scriptpreview/.
    void ShowPreviewPicture(const QString& fileName);
    // The page's list of values (14000): one column, one row chosen at a
    // time, none at first.
    QListWidget* MakeValueList(const QStringList& rows);
    // A control of the page with its id as object name.
    template <typename Control> Control* MakeControl(int id, QWidget* parent = nullptr)
    {
        auto* control = new Control(parent ? parent : m_pControls);
        control->setObjectName(QStringLiteral("id_%1").arg(id));
        return control;
    }

    VornaDlgScript* m_pWizard = nullptr;
    QWidget* m_pControls = nullptr; // the left half, for the page's own controls
    QVBoxLayout* m_pControlsLayout = nullptr;
    QLabel* m_stDescription = nullptr;
    QWidget* m_stPreview = nullptr;
    VornaHTMLViewer* m_pViewer = nullptr;
};

// The preview picture's path: the install folder's Other/script/scriptpreview/ and the name.
QString ScriptPreviewPicturePath(const QString& fileName);
// The folder of the effect scripts: the install folder's Other/script/.
QString ScriptTemplateFolder();
