#pragma once

#include <QImage>
#include <QString>

class QPainter;

// A picture loaded from an image file for skinned dialog backgrounds and buttons.
class CBitmapEx
{
public:
    // Drops the picture held, then loads the file. False when it does not load.
    bool LoadFromFile(const QString& path);
    // Drops the picture without loading another.
    void Detach();

    // Copies (sourceX, sourceY, width, height) of the picture to (x, y); a source
    // coordinate of -1 counts as 0, a width or height of -1 is the picture's own.
    void Draw(int x, int y, int width, int height, int sourceX, int sourceY, QPainter& dc) const;

    bool isNull() const { return m_bitmap.isNull(); }
    // The drawing bitmap (null while none is loaded).
    const QImage* bitmap() const { return m_bitmap.isNull() ? nullptr : &m_bitmap; }

    QImage m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
