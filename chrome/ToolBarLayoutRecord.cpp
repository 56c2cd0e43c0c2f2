#include "chrome/ToolBarLayoutRecord.h"

#include <QtEndian>

namespace {

constexpr qint32 kSplit = -4;
constexpr qint32 kList = -5;
constexpr qint32 kMenu = -6;

bool isDropDownKind(qint32 value)
{
    return value == kSplit || value == kList || value == kMenu;
}

void put(QByteArray& out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool next(qint32& value)
    {
        if (m_at + 4 > m_bytes.size())
            return false;
        value = qFromLittleEndian<qint32>(m_bytes.constData() + m_at);
        m_at += 4;
        return true;
    }
    qsizetype valuesLeft() const { return (m_bytes.size() - m_at) / 4; }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
};

} // namespace

QByteArray ToolBarLayoutRecord::write() const
{
    QByteArray out;
    put(out, qint32(entries.size()));
    for (const Entry& entry : entries) {
        if (entry.id == 0) {
            put(out, kSeparator);
        } else if (isDropDownKind(entry.kind)) {
            put(out, entry.kind);
            put(out, entry.id);
            if (lists.contains(entry.id)) {
                put(out, kListStart);
                for (int id : lists.value(entry.id))
                    put(out, id);
            }
            put(out, kListEnd);
        } else {
            put(out, entry.id);
        }
    }
    put(out, qint32(flag));
    return out;
}

std::optional<ToolBarLayoutRecord> ToolBarLayoutRecord::read(const QByteArray& bytes, const Rules& rules)
{
    const auto isCommand = [&rules](qint32 id) {
        return id > 0 && id <= 0xFFFF && (!rules.isCommand || rules.isCommand(id));
    };
    Reader in(bytes);
    qint32 count = 0;
    // Every entry takes a value at least, and the flag follows them.
    if (!in.next(count) || count < 0 || count > in.valuesLeft() - 1)
        return std::nullopt;
    ToolBarLayoutRecord record;
    for (qint32 i = 0; i < count; ++i) {
        qint32 value = 0;
        if (!in.next(value))
            return std::nullopt;
        if (value == kSeparator) {
            record.entries.append(Entry{});
            continue;
        }
        if (!isDropDownKind(value)) {
            if (!isCommand(value))
                return std::nullopt;
            record.entries.append(Entry{value, 0});
            continue;
        }
        qint32 id = 0;
        qint32 mark = 0;
        if (!in.next(id) || !isCommand(id) || !in.next(mark))
            return std::nullopt;
        if (mark == kListStart) {
            QList<int> list;
            qint32 item = 0;
            while (true) {
                if (!in.next(item))
                    return std::nullopt;
                if (item == kListEnd)
                    break;
                const bool known = value == kMenu ? (!rules.isMenu || rules.isMenu(item)) : isCommand(item);
                if (!known)
                    return std::nullopt;
                list.append(item);
            }
            // A menu button names exactly one menu.
            if (value == kMenu && list.size() != 1)
                return std::nullopt;
            record.lists.insert(id, list);
        } else if (mark != kListEnd) {
            return std::nullopt;
        }
        record.entries.append(Entry{id, value});
    }
    qint32 flag = 0;
    if (!in.next(flag) || !in.atEnd())
        return std::nullopt;
    record.flag = quint32(flag);
    return record;
}
