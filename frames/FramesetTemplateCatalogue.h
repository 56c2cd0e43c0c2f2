#pragma once

#include <QString>

// The catalogue of the frameset templates: "frame_template.inf" in the
// template folder, an INI file whose section "Templates" holds the count
// NUMBER and whose sections "0" .. NUMBER-1 hold each template's TITLE, HTM
// (its page), DESCRIPTION and BMP (its preview picture), the file names
// relative to the template folder. Every value is read from the file when
// asked; a missing file, section or key gives the default.
class FramesetTemplateCatalogue
{
public:
    // The most templates a catalogue lists: a damaged count lists no more.
    static constexpr int kMaxTemplates = 1000;
    // The value of a missing HTM, DESCRIPTION or BMP.
    static QString emptyValue() { return QStringLiteral("EMPTY"); }

    // The folder ends with "/".
    explicit FramesetTemplateCatalogue(QString folder);

    QString folder() const { return m_folder; }
    QString cataloguePath() const;
    // NUMBER, 0 when missing, put into 0 .. kMaxTemplates.
    int count() const;
    // TITLE, "Body" when missing.
    QString title(int index) const;
    // DESCRIPTION, "EMPTY" when missing.
    QString description(int index) const;
    // The folder followed by HTM ("EMPTY" when missing), as the dialog hands it on.
    QString templatePath(int index) const;
    // The folder followed by BMP ("EMPTY" when missing).
    QString previewPath(int index) const;
    // Whether the template can be used: it has an HTM value that names an
    // existing file inside the template folder, and no BMP value leading out of it.
    bool hasTemplate(int index) const;
    // Whether the template has a BMP value naming a file inside the template
    // folder (the picture itself may still be missing).
    bool hasPreview(int index) const;

private:
    QString value(int index, const char* key, const QString& defaultValue) const;
    // The folder followed by a file name of the catalogue, "\" read as "/".
    QString pathOf(const QString& name) const;
    // Whether a file name of the catalogue stays inside the template folder.
    bool staysInside(const QString& name) const;

    QString m_folder;
};
