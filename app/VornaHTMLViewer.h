#pragma once

#include <QMainWindow>
#include <QRect>

class Vorna_Preview;

// A small frame holding one preview, placed inside a dialog: the element
// property dialogs, the script-effect dialogs and the tutorial page show
// pages, images and fragments in it.
class VornaHTMLViewer : public QMainWindow
{
    Q_OBJECT
public:
    explicit VornaHTMLViewer(QWidget* parent = nullptr);
    ~VornaHTMLViewer() override;

    // The frame at the rectangle of the parent, with its preview; the page
    // area 20 pixels inside it. True.
    bool Create(const QRect& rect, QWidget* parent);
    // The same as a visible child window.
    bool CreateViewer(const QRect& rect, QWidget* parent) { return Create(rect, parent); }

    void ShowImage(const QString& imagePath);
    void ShowHtmlBody(const QString& fragment);
    void ShowHtmlPage(const QString& bodyText);
    void Navigate(const QString& address);
    QString GetLocationURL() const;

    Vorna_Preview* m_pView = nullptr;
    QRect m_rcPage;
};
