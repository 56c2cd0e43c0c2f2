#pragma once

#include "app/PreviewBrowser.h"

#include <QWidget>

// A preview browser for tests without a display: it remembers where it was
// sent and loads nothing.
class PreviewRecorder : public PreviewBrowser
{
public:
    explicit PreviewRecorder(QWidget* parent) : m_widget(new QWidget(parent)) {}
    QWidget* widget() const override { return m_widget; }
    void navigate(const QString& address) override { m_address = address; }
    void goBack() override {}
    void goForward() override {}
    void stop() override {}
    void refresh() override {}
    QString locationUrl() const override { return m_address; }

    // Makes every preview of the program a recorder while it lives.
    struct Installed
    {
        Installed()
            : old(PreviewBrowser::setFactory([](QWidget* parent) -> std::unique_ptr<PreviewBrowser> {
                  return std::make_unique<PreviewRecorder>(parent);
              }))
        {
        }
        ~Installed() { PreviewBrowser::setFactory(old); }
        Factory old;
    };

private:
    QWidget* m_widget;
    QString m_address;
};
