#include "engine/dom/Text.h"

#include "engine/dom/Document.h"

namespace engine {

Text::Text(Document* doc, const QString& data) : Node(NodeType::Text, doc), m_data(data) {}

Ref<Text> Text::create(Document* doc, const QString& data)
{
    return Ref<Text>(new Text(doc, data));
}

void Text::replaceData(int offset, int count, const QString& text)
{
    offset = qBound(0, offset, length());
    count = qBound(0, count, length() - offset);
    if (count == 0 && text.isEmpty())
        return;
    const QString removed = m_data.mid(offset, count);
    if (removed == text)
        return;
    m_data.replace(offset, count, text);
    document()->didReplaceData(this, offset, removed, int(text.size()));
}

Ref<Text> Text::splitText(int offset)
{
    offset = qBound(0, offset, length());
    Ref<Text> tail = Text::create(document(), QString());
    UndoUnit unit(document());
    if (parentNode())
        parentNode()->insertChildAt(indexInParent() + 1, tail);
    tail->insertData(0, m_data.mid(offset));
    document()->didSplitText(this, offset, tail.get());
    deleteData(offset, length() - offset);
    return tail;
}

Ref<Node> Text::cloneNode(bool) const
{
    return Text::create(document(), m_data);
}

DocumentType::DocumentType(Document* doc, const QString& text) : Node(NodeType::DocumentType, doc), m_text(text) {}

Ref<DocumentType> DocumentType::create(Document* doc, const QString& text)
{
    return Ref<DocumentType>(new DocumentType(doc, text));
}

Ref<Node> DocumentType::cloneNode(bool) const
{
    return DocumentType::create(document(), m_text);
}

} // namespace engine
