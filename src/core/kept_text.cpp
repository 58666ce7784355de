#include "core/kept_text.h"

#include "platform/cp949.h"

#include <algorithm>

namespace core {

namespace {
constexpr QChar kReplacement(u'\uFFFD');
} // namespace

KeptText::KeptText(const QByteArray &stored) : m_stored(stored)
{
    QList<qsizetype> starts;
    const QString decoded = platform::Cp949::decode(stored, &starts);
    m_shown.reserve(decoded.size());
    m_groupStart.reserve(decoded.size() + 1);
    qsizetype group = 0;  // where the pending carriage returns begin
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == u'\r')
            continue;
        m_shown += decoded[i];
        m_groupStart.append(group);
        group = starts[i + 1];
    }
    m_groupStart.append(group);
}

KeptText::Change KeptText::changeOf(const QString &loaded, const QString &edited)
{
    const qsizetype shorter = std::min(loaded.size(), edited.size());
    qsizetype head = 0;
    while (head < shorter && loaded[head] == edited[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && loaded[loaded.size() - 1 - tail] == edited[edited.size() - 1 - tail])
        ++tail;
    return {head, loaded.size() - tail, edited.mid(head, edited.size() - head - tail)};
}

QByteArray KeptText::bytesFor(const QString &loaded, const QString &edited) const
{
    if (edited == loaded)
        return m_stored;
    if (loaded != m_shown)
        return platform::Cp949::encode(edited);
    const Change change = changeOf(loaded, edited);
    return m_stored.left(m_groupStart[change.from]) + platform::Cp949::encode(change.text) +
           m_stored.mid(m_groupStart[change.to]);
}

TextLoss KeptText::loss(const QString &loaded, const QString &edited) const
{
    if (edited == loaded)
        return {false, m_shown.contains(kReplacement)};
    if (loaded != m_shown)
        return {!platform::Cp949::canEncode(edited), false};
    const Change change = changeOf(loaded, edited);
    const bool kept = m_shown.left(change.from).contains(kReplacement) ||
                      m_shown.mid(change.to).contains(kReplacement);
    return {!platform::Cp949::canEncode(change.text), kept};
}

} // namespace core
