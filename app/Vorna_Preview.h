#pragma once

#include "platform/CommandTarget.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

class PreviewBrowser;

// A page as a browser shows it: the preview of a page window and the browser
// inside dialogs. It keeps a history count of its own for back and forward
// (33184 to 33187), and writes the pages it is given as text to a temporary
// page of the install folder, which goes with the window.
class Vorna_Preview : public QWidget, public platform::CommandTarget
{
    Q_OBJECT
public:
    explicit Vorna_Preview(QWidget* parent = nullptr);
    ~Vorna_Preview() override;

    // The window at the rectangle, the page area 20 pixels inside it.
    bool Create(const QRect& rect, QWidget* parent);

    void Navigate(const QString& address);
    void Stop();
    // The address shown; empty before the first navigation.
    QString GetLocationURL() const;
    // Shows an image at the top left of an empty page.
    void ShowImage(const QString& imagePath);
    // Shows a fragment as the body of a page without context menu and selection.
    void ShowHtmlBody(const QString& fragment);
    // Shows a body text as a Shift_JIS page.
    void ShowHtmlPage(const QString& bodyText);
    // Writes the page text to the temporary page of the install folder and
    // shows it.
    void WriteTempPageAndNavigate(const QString& text);
    // The browser of the window (made at the first navigation), or null.
    PreviewBrowser* browser() const { return m_browser.get(); }

    QRect m_rcPage;
    // The temporary page this window wrote last; removed with the window.
    QString m_strTempFile;
    // The highest history position reached and the current one.
    int m_nHistoryEnd = 0;
    int m_nHistoryPos = 0;
    bool m_bGoingBack = false;
    bool m_bGoingForward = false;

private:
    void EnsureBrowser();
    void OnDownloadBegin();

    std::unique_ptr<PreviewBrowser> m_browser;
};
