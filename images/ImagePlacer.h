#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class CMainFrame;
class CZQView;
class QWidget;

// Places an image file from an image window (the insert-image dialog, the
// image browser) into the page being edited: the main frame's insertion
// state takes the image, the window holds the mouse, a rectangle of the
// image's size follows the pointer over the page, and the release inserts
// the image there through the page's event sink. Escape, or a release
// outside the page or over the window itself, ends it without inserting.
//
// A frame picture (from the install folder's "Bin/Frame") held over a
// picture of the page whose file exists shows the frame cursor: dropped
// there, it frames that picture.
class ImagePlacer : public QObject
{
    Q_OBJECT
public:
    explicit ImagePlacer(QWidget* window);
    ~ImagePlacer() override;

    // Starts placing the image file (a path on disk). By a double-click, the
    // release that ends the double-click does not drop. False without a
    // main frame, and for a file the decoders refuse (the user is told).
    bool Start(const QString& path, bool byDoubleClick = false);
    bool IsPlacing() const { return m_bPlacing; }

    // The pointer moved to a point of the screen.
    void Move(QPoint global);
    // The button was released there; true when the image went into a page.
    bool Release(QPoint global);
    // Ends placing without inserting anything.
    void Cancel();

    // The cursor for a point of the screen: 499, or 692 for a frame
    // picture over a picture of the page whose file exists.
    int CursorAt(QPoint global) const;
    // The tracking rectangle last drawn, in the page window's coordinates;
    // empty when none is drawn.
    QRect DrawnRect() const;

    // The file a picture's src names, decoded as an address: a file URL, or
    // a path (relative ones below the page's folder); empty for addresses of
    // the web and files that do not exist.
    static QString LocalFileOfSource(const QString& src, const QString& pageFolder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Geometry;
    Geometry geometryAt() const;
    // The page view under a point of the screen (a frame's in a frameset).
    CZQView* viewAt(QPoint global) const;
    void setTracking(const QRect& rect, const Geometry& g);
    void finish();

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_overlay;
    QSize m_size;
    QString m_strPath;
    bool m_bPlacing = false;
    bool m_bByDoubleClick = false;
    int m_nCursor = 0;
};
