#include "customers/customerrecord.h"

#include "shell/dates.h"
#include "shell/textcodec.h"

#include <QtEndian>

#include <cstring>

namespace {

struct TextMember {
    const char* name;
    int width;
    QString CustomerRecord::*member;
};

const TextMember kText[] = {
    {"AccountNumber", 20, &CustomerRecord::AccountNumber},
    {"AccountName", 45, &CustomerRecord::AccountName},
    {"Address1", 35, &CustomerRecord::Address1},
    {"Address2", 25, &CustomerRecord::Address2},
    {"CityOrAddress3", 25, &CustomerRecord::CityOrAddress3},
    {"CityText", 20, &CustomerRecord::CityText},
    {"State", 2, &CustomerRecord::State},
    {"ZipCode", 10, &CustomerRecord::ZipCode},
    {"ZipOrAddress4", 25, &CustomerRecord::ZipOrAddress4},
    {"Phone", 13, &CustomerRecord::Phone},
    {"CellPhone", 13, &CustomerRecord::CellPhone},
    {"Other", 30, &CustomerRecord::Other},
    {"Title", 10, &CustomerRecord::Title},
    {"FirstName", 15, &CustomerRecord::FirstName},
    {"MiddleInitial", 1, &CustomerRecord::MiddleInitial},
    {"LastName", 25, &CustomerRecord::LastName},
    {"AccountType", 10, &CustomerRecord::AccountType},
};

RecordLayout makeCustomerLayout() {
    RecordLayout l;
    for (const TextMember& t : kText) {
        l.text(QLatin1String(t.name), t.width);
    }
    l.int16(QStringLiteral("NewFlag")).int16(QStringLiteral("Spare"));
    return l;
}

QString name(int n) {
    return QStringLiteral("F%1").arg(n);
}

}  // namespace

const RecordLayout& CustomerRecord::layout() {
    static const RecordLayout l = makeCustomerLayout();
    return l;
}

// Most fields are plain ASCII, which needs no code page; reading 32,767
// customers depends on this being quick. A field's text is its bytes without
// the blanks around them: spaces, zeros, and what reads as white space (tabs,
// line ends, the no-break space). Trimming all of these in one pass keeps a
// field read back the same once stored, whatever mix another program left.
QByteArrayView CustomerRecord::bytesAt(const QByteArray& bytes, qsizetype start,
                                       const RecordField& field) {
    const qsizetype from = start + field.offset;
    if (from >= bytes.size()) {
        return {};
    }
    const char* p = bytes.constData() + from;
    qsizetype begin = 0;
    qsizetype end = qMin<qsizetype>(field.width, bytes.size() - from);
    auto blank = [](char c) {
        return c == ' ' || c == '\0' || (c >= '\t' && c <= '\r') || c == '\xa0';
    };
    while (begin < end && blank(p[begin])) {
        ++begin;
    }
    while (end > begin && blank(p[end - 1])) {
        --end;
    }
    return QByteArrayView(p + begin, end - begin);
}

QString CustomerRecord::textOf(QByteArrayView stored) {
    return Text::isAscii(stored) ? QString::fromLatin1(stored) : Text::decode(stored);
}

QString CustomerRecord::textAt(const QByteArray& bytes, qsizetype start, const RecordField& field) {
    return textOf(bytesAt(bytes, start, field));
}

CustomerRecord CustomerRecord::fromBytes(const QByteArray& bytes) {
    return fromBytesAt(bytes, 0);
}

CustomerRecord CustomerRecord::fromBytesAt(const QByteArray& bytes, qsizetype start,
                                           quint32 textFields) {
    const RecordLayout& l = layout();
    CustomerRecord r;
    int i = 0;
    for (const TextMember& t : kText) {
        if (textFields & (1u << i)) {
            r.*t.member = textAt(bytes, start, l.fields().at(i));
        }
        ++i;
    }
    // A last record cut short reads as if completed with zeros, as a read of
    // that record alone gives it: the bytes of the numbers that are there count.
    char numbers[4] = {};
    const qsizetype from = start + 324;
    if (from < bytes.size()) {
        std::memcpy(numbers, bytes.constData() + from, qMin<qsizetype>(4, bytes.size() - from));
    }
    r.NewFlag = qFromLittleEndian<qint16>(numbers);
    r.Spare = qFromLittleEndian<qint16>(numbers + 2);
    return r;
}

quint32 CustomerRecord::fieldMask(const QStringList& names) {
    quint32 mask = 0;
    int i = 0;
    for (const TextMember& t : kText) {
        if (names.contains(QLatin1String(t.name))) {
            mask |= 1u << i;
        }
        ++i;
    }
    return mask;
}

QByteArray CustomerRecord::toBytes() const {
    Record rec(layout());
    for (const TextMember& t : kText) {
        rec.setText(QLatin1String(t.name), this->*t.member);
    }
    rec.setInteger(QStringLiteral("NewFlag"), NewFlag);
    rec.setInteger(QStringLiteral("Spare"), Spare);
    return rec.bytes();
}

QString CustomerRecord::displayName() const {
    if (isBusiness()) {
        return AccountName.trimmed();
    }
    return LastName.trimmed() + QStringLiteral(", ") + FirstName.trimmed();
}

QString CustomerRecord::composedName() const {
    QString n;
    if (!Title.trimmed().isEmpty()) {
        n += Title.trimmed() + QLatin1Char(' ');
    }
    if (!FirstName.trimmed().isEmpty()) {
        n += FirstName.trimmed() + QLatin1Char(' ');
    }
    return n + LastName.trimmed();
}

QString CustomerRecord::shownPostalCode() const {
    return ZipCode.trimmed().isEmpty() ? ZipOrAddress4.trimmed() : ZipCode.trimmed();
}

namespace CompanionRecords {

const RecordLayout& contractLayout() {
    static const RecordLayout l = [] {
        RecordLayout c;
        c.text(name(1), 35).text(name(2), 15).money(name(3)).text(name(4), 9).text(name(5), 40);
        c.date(name(6)).date(name(7)).int16(name(8)).int16(name(9)).int16(name(10));
        c.text(name(11), 20).text(name(12), 20).text(name(13), 30).text(name(14), 35);
        c.text(name(15), 25).text(name(16), 20).text(name(17), 2).text(name(18), 10);
        c.text(name(19), 13).text(name(20), 30).int16(name(21)).text(name(22), 50);
        return c;
    }();
    return l;
}

const RecordLayout& cycleLayout() {
    static const RecordLayout l = [] {
        RecordLayout c;
        c.text(name(1), 35).money(name(2)).int16(name(3)).text(name(4), 20);
        c.int16(name(5)).int16(name(6));
        return c;
    }();
    return l;
}

QByteArray defaultContract(const QDate& today, const QByteArray& previous) {
    Record r(contractLayout());
    r.setText(name(1), QStringLiteral("None Selected"));
    r.setText(name(2), QStringLiteral("None"));
    r.setMoney(name(3), Money());
    r.setText(name(4), Dates::weekdayName(today));
    r.setText(name(5), QStringLiteral("None Selected"));
    r.setDate(name(6), today);
    r.setDate(name(7), today);
    r.setInteger(name(8), 0);
    r.setInteger(name(9), -1);
    r.setInteger(name(10), 0);
    r.setText(name(11), QStringLiteral("None"));
    if (previous.size() >= kContractSize) {
        const RecordField& f = contractLayout().field(name(14));
        QByteArray bytes = r.bytes();
        bytes.replace(f.offset, f.width, previous.mid(f.offset, f.width));
        return bytes;
    }
    return r.bytes();
}

QByteArray defaultCycle() {
    Record r(cycleLayout());
    r.setText(name(1), QStringLiteral("None Selected"));
    r.setMoney(name(2), Money());
    r.setInteger(name(6), -1);
    return r.bytes();
}

}  // namespace CompanionRecords
