#pragma once

#include "engine/dom/Node.h"

namespace engine {

// A run of text. Whitespace is kept as parsed.
class Text : public Node
{
public:
    static Ref<Text> create(Document* doc, const QString& data);

    const QString& data() const { return m_data; }
    int length() const { return int(m_data.size()); }
    // Replaces `count` characters at `offset` (both clamped) with `text`.
    void replaceData(int offset, int count, const QString& text);
    void setData(const QString& text) { replaceData(0, length(), text); }
    void insertData(int offset, const QString& text) { replaceData(offset, 0, text); }
    void deleteData(int offset, int count) { replaceData(offset, count, QString()); }
    // Splits the node at `offset`; the new node holds the tail and follows
    // this one. Positions in the tail move with it.
    Ref<Text> splitText(int offset);

    Ref<Node> cloneNode(bool deep) const override;

private:
    friend class TreeBuilder;
    Text(Document* doc, const QString& data);
    QString m_data;
};

// The DOCTYPE of a page, kept as the text it was written with.
class DocumentType : public Node
{
public:
    static Ref<DocumentType> create(Document* doc, const QString& text);
    const QString& text() const { return m_text; }
    Ref<Node> cloneNode(bool deep) const override;

private:
    DocumentType(Document* doc, const QString& text);
    QString m_text;
};

} // namespace engine
