#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;

// The browser inside a preview window: navigates to files and addresses,
// goes back and forward, stops and refreshes, and tells before a navigation
// and when a load begins and ends. The program's is the engine's browse
// view; tests without a display give the preview a stand-in through the
// factory.
class PreviewBrowser : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<PreviewBrowser>(QWidget* parent)>;

    ~PreviewBrowser() override;

    // A new browser with its widget inside the parent.
    static std::unique_ptr<PreviewBrowser> create(QWidget* parent);
    // Replaces the factory (null: the browse view again); returns the old one.
    static Factory setFactory(Factory factory);

    virtual QWidget* widget() const = 0;
    virtual void navigate(const QString& address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    // The address shown.
    virtual QString locationUrl() const = 0;

signals:
    // Before each navigation; set *cancel to stop it.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // A navigation that went ahead begins loading, and ends.
    void downloadBegin();
    void downloadComplete();
};
