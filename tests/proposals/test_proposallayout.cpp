#include "layoutfixture.h"
#include "proposals/terms.h"
#include "scriptedprompter.h"
#include "testmain.h"

#include <QTest>

namespace {
const PrintFont Courier8Bold{QStringLiteral("Courier New"), 8, true, false};

QList<RecordedLine> boxesOn(const Recording& rec, int page) {
    QList<RecordedLine> out;
    for (const RecordedLine& l : rec.linesOn(page)) {
        if (l.box) {
            out << l;
        }
    }
    return out;
}

QList<RecordedLine> rulesOn(const Recording& rec, int page) {
    QList<RecordedLine> out;
    for (const RecordedLine& l : rec.linesOn(page)) {
        if (!l.box) {
            out << l;
        }
    }
    return out;
}

RecordedText onPage(const Recording& rec, const QString& text, int page) {
    for (const RecordedText& t : rec.textsOn(page)) {
        if (t.text == text) {
            return t;
        }
    }
    return RecordedText{0, {}, {}, {}, Ink::Black, 0};
}

// Body lines that bring the pen just to or past `y` after the last one.
QStringList bodyReaching(int y) {
    const int h = heightOf(Courier8Bold);
    const int lines = (y - 4176 + h - 1) / h;
    QStringList body;
    for (int i = 1; i <= lines; ++i) {
        body << QStringLiteral("Line %1").arg(i);
    }
    return body;
}
}  // namespace

class TestProposalLayout : public QObject {
    Q_OBJECT
private slots:
    // copies, body lines, colour -> per page: copy box ink, page box ink, header ink.
    void colourByCopyAndPageCounter_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("twoPages");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QList<quint32>>("copyInk");
        QTest::addColumn<QList<quint32>>("pageBoxInk");
        QTest::addColumn<QList<quint32>>("textInk");
        const quint32 B = Ink::Blue, D = Ink::DarkBlue, K = Ink::Black;
        QTest::newRow("three copies of one page")
            << 3 << false << true << QList<quint32>{B, B, K} << QList<quint32>{D, D, K}
            << QList<quint32>{B, B, K};
        QTest::newRow("two copies of two pages")
            << 2 << true << true << QList<quint32>{B, B, B, B} << QList<quint32>{D, D, K, K}
            << QList<quint32>{B, B, K, K};
        QTest::newRow("colour off") << 3 << false << false << QList<quint32>{K, K, K}
                                    << QList<quint32>{K, K, K} << QList<quint32>{K, K, K};
    }
    void colourByCopyAndPageCounter() {
        QFETCH(int, copies);
        QFETCH(bool, twoPages);
        QFETCH(bool, colour);
        QFETCH(QList<quint32>, copyInk);
        QFETCH(QList<quint32>, pageBoxInk);
        QFETCH(QList<quint32>, textInk);
        ProposalPrintInput in = sampleProposal();
        in.copies = copies;
        in.style.colour = colour;
        if (twoPages) {
            in.body = bodyReaching(10080);
        }
        const auto rec = recordProposal(in);
        QCOMPARE(rec->pages, int(copyInk.size()));
        for (int page = 1; page <= rec->pages; ++page) {
            const QList<RecordedLine> boxes = boxesOn(*rec, page);
            QCOMPARE(boxes.size(), 5);
            for (int b = 0; b < 3; ++b) {
                QCOMPARE(boxes[b].ink, copyInk[page - 1]);
            }
            QCOMPARE(boxes[3].ink, pageBoxInk[page - 1]);
            QCOMPARE(boxes[4].ink, pageBoxInk[page - 1]);
            QCOMPARE(onPage(*rec, QStringLiteral("Proposal"), page).ink, textInk[page - 1]);
            // The acceptance block closes each copy, on its last page only.
            const RecordedText accept =
                onPage(*rec, QStringLiteral("Acceptance of Proposal"), page);
            QCOMPARE(accept.page, twoPages && page % 2 == 1 ? 0 : page);
            if (accept.page) {
                QCOMPARE(accept.ink, textInk[page - 1]);
            }
            QCOMPARE(onPage(*rec, QStringLiteral("Proposal submitted to:"), page).ink, Ink::Black);
        }
        // Price and payments sit on each copy's last page.
        for (const RecordedText& t : rec->find(QStringLiteral("Proposed Price: $1,200.00"))) {
            QCOMPARE(t.ink, textInk[t.page - 1]);
        }
        QCOMPARE(rec->find(QStringLiteral("Proposed Price: $1,200.00")).size(), copies);
        if (!colour) {
            for (const RecordedText& t : rec->texts) {
                QCOMPARE(t.ink, Ink::Black);
            }
            for (const RecordedLine& l : rec->lines) {
                QCOMPARE(l.ink, Ink::Black);
            }
        }
    }

    void boxesAtTheirCornersWithPenWidthTwo() {
        const auto rec = recordProposal(sampleProposal());
        const QList<RecordedLine> boxes = boxesOn(*rec, 1);
        const QList<QRect> want{QRect(QPoint(1080, 2160), QPoint(5400, 3600)),
                                QRect(QPoint(5760, 2160), QPoint(10800, 3600)),
                                QRect(QPoint(1080, 3960), QPoint(10800, 11520)),
                                QRect(QPoint(8640, 720), QPoint(10800, 1800)),
                                QRect(QPoint(1080, 11880), QPoint(10800, 13680))};
        QCOMPARE(boxes.size(), want.size());
        for (int i = 0; i < want.size(); ++i) {
            QCOMPARE(QRect(boxes[i].from, boxes[i].to), want[i]);
            QCOMPARE(boxes[i].width, 2);
        }
        for (const RecordedLine& rule : rulesOn(*rec, 1)) {
            QCOMPARE(rule.width, 1);
        }
    }

    void captionsAndPageNumbers() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 5;
        const auto rec = recordProposal(in);
        const QStringList captions{QStringLiteral("Original"), QStringLiteral("Duplicate"),
                                   QStringLiteral("Triplicate"), QStringLiteral("File Copy"),
                                   QStringLiteral("File Copy")};
        const PrintFont captionFont{QStringLiteral("Arial"), 10, true, false};
        for (int page = 1; page <= 5; ++page) {
            const RecordedText c = onPage(*rec, captions[page - 1], page);
            QCOMPARE(c.page, page);
            QCOMPARE(c.font, captionFont);
            QCOMPARE(c.at.y(), LetterPrintable.height() - heightOf(captionFont));
            QCOMPARE(c.at.x(), LetterPrintable.width() / 2 - c.width / 2);
            QCOMPARE(onPage(*rec, QStringLiteral("Page #  1 "), page).at, QPoint(8784, 1080));
            QCOMPARE(onPage(*rec, QStringLiteral("Proposal No. -  1001 "), page).page, page);
            QCOMPARE(onPage(*rec, QStringLiteral("Date: 12/5/2026"), page).page, page);
        }
        QCOMPARE(rec->pages, 5);
    }

    void pageHeaderFollowsCustomerAddressStyle_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<bool>("businessUsa");
        QTest::addColumn<QStringList>("lines");
        const QStringList usa{QStringLiteral("Harbor Roofing"), QStringLiteral("12 Dock St"),
                              QStringLiteral("Portland, ME 04101"), QStringLiteral("207-555-0100")};
        const QStringList intl{QStringLiteral("Harbor Roofing"), QStringLiteral("12 Dock St"),
                               QStringLiteral("Portland"), QStringLiteral("ME"),
                               QStringLiteral("207-555-0100")};
        QTest::newRow("usa customer") << true << false << usa;
        QTest::newRow("international customer, usa business") << false << true << intl;
    }
    void pageHeaderFollowsCustomerAddressStyle() {
        QFETCH(bool, usa);
        QFETCH(bool, businessUsa);
        QFETCH(QStringList, lines);
        ProposalPrintInput in = sampleProposal();
        in.customerUsaStyle = usa;
        in.business.usaStyle = businessUsa;
        in.copies = 1;
        const auto rec = recordProposal(in);
        const RecordedText submitted = rec->first(QStringLiteral("Submitted by: "));
        QCOMPARE(submitted.at, QPoint(1440, 720));
        QCOMPARE(submitted.font, (PrintFont{QStringLiteral("Arial"), 8, false, false}));
        const int h = heightOf(submitted.font);
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(rec->first(lines[i]).at, QPoint(1440, 720 + (i + 1) * h));
        }
        QVERIFY(!rec->contains(QStringLiteral("04101")) || usa);
        const RecordedText title = rec->first(QStringLiteral("Proposal"));
        QCOMPARE(title.at, QPoint(1440, 288));
        QCOMPARE(title.font, (PrintFont{QStringLiteral("Arial"), 18, true, true}));
    }

    void headRowsOfCustomerAndSite_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QString>("site3");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::newRow("usa, no site address 2")
            << true << QString()
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Bangor, VT 04401"), QStringLiteral("207-555-0111")}
            << QStringList{QStringLiteral("Smith Barn"), QStringLiteral("Route 2"),
                           QStringLiteral("Orono, NH 04473"), QStringLiteral("207-555-0122")};
        QTest::newRow("international with site address 2")
            << false << QStringLiteral("Lot 7") << QStringList{QStringLiteral("Mr. John Smith"),
                                                               QStringLiteral("4 Elm St"),
                                                               QString(),
                                                               QStringLiteral("Bangor"),
                                                               QStringLiteral("VT"),
                                                               QStringLiteral("04401"),
                                                               QStringLiteral("207-555-0111")}
            << QStringList{QStringLiteral("Smith Barn"),  QStringLiteral("Route 2"),
                           QStringLiteral("Lot 7"),       QStringLiteral("Orono"),
                           QStringLiteral("NH"),          QStringLiteral("04473"),
                           QStringLiteral("207-555-0122")};
    }
    void headRowsOfCustomerAndSite() {
        QFETCH(bool, usa);
        QFETCH(QString, site3);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.customerUsaStyle = usa;
        in.site[2] = site3;
        in.site[4] = QStringLiteral("NH");
        in.customer[4] = QStringLiteral("VT");
        const auto rec = recordProposal(in);
        const PrintFont headFont{QStringLiteral("Arial"), 8, true, false};
        QCOMPARE(rec->first(QStringLiteral("Proposal submitted to:")).at, QPoint(2304, 1944));
        QCOMPARE(rec->first(QStringLiteral("Work to be performed at:")).at, QPoint(7200, 1944));
        const int h = heightOf(headFont);
        for (int row = 0; row < right.size(); ++row) {
            const RecordedText s = rec->first(right[row]);
            QCOMPARE(s.at, QPoint(6048, 2304 + row * h));
            QCOMPARE(s.font, headFont);
            if (!left[row].isEmpty()) {
                QCOMPARE(rec->first(left[row]).at, QPoint(1440, 2304 + row * h));
            }
        }
    }

    void bodyInCourierWrappedInItsColumn() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.bodyTextSize = 10;
        in.body = {QStringLiteral("First"), QString(), QStringLiteral("Third")};
        const auto rec = recordProposal(in);
        const PrintFont bodyFont{QStringLiteral("Courier New"), 10, true, false};
        const int h = heightOf(bodyFont);
        QCOMPARE(rec->first(QStringLiteral("First")).at, QPoint(2664, 4176));
        QCOMPARE(rec->first(QStringLiteral("First")).font, bodyFont);
        // The empty line still takes its place.
        QCOMPARE(rec->first(QStringLiteral("Third")).at, QPoint(2664, 4176 + 2 * h));
        QCOMPARE(rec->first(QStringLiteral("First")).ink, Ink::Black);
    }

    void shortBodyGetsNoteRules_data() {
        QTest::addColumn<int>("bodyLines");
        QTest::newRow("none") << 0;
        QTest::newRow("two") << 2;
        QTest::newRow("ten") << 10;
        QTest::newRow("twenty") << 20;
    }
    void shortBodyGetsNoteRules() {
        QFETCH(int, bodyLines);
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.body.clear();
        for (int i = 0; i < bodyLines; ++i) {
            in.body << QStringLiteral("x");
        }
        const auto rec = recordProposal(in);
        const int first = 4176 + bodyLines * heightOf(Courier8Bold) + 360;
        const QList<RecordedLine> rules = rulesOn(*rec, 1);
        // Each rule is drawn while the pen (at the rule before) is above 7920.
        int expected = 0;
        for (int penY = first; penY < 7920 && expected < 9; penY = first + 500 * (expected - 1)) {
            ++expected;
        }
        QCOMPARE(rules.size(), expected);
        for (int i = 0; i < rules.size(); ++i) {
            QCOMPARE(rules[i].from, QPoint(1600, first + 500 * i));
            QCOMPARE(rules[i].to, QPoint(10650, first + 500 * i));
            QCOMPARE(rules[i].ink, Ink::Black);
        }
        QCOMPARE(rec->pages, 1);
    }

    void bodyPastTheFootContinues() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.body = bodyReaching(10080);
        const auto rec = recordProposal(in);
        QCOMPARE(rec->pages, 2);
        const RecordedText cont = rec->first(QStringLiteral("Continued on Next Page"));
        QCOMPARE(cont.page, 1);
        QCOMPARE(cont.at.x(), 2664);
        QCOMPARE(cont.at.y(), rec->first(in.body.last()).at.y() + heightOf(Courier8Bold));
        // Page 2: frame with page number 2, note rules from the top of the body, lower section.
        QCOMPARE(onPage(*rec, QStringLiteral("Page #  2 "), 2).at, QPoint(8784, 1080));
        QCOMPARE(boxesOn(*rec, 2).size(), 5);
        const QList<RecordedLine> rules = rulesOn(*rec, 2);
        QCOMPARE(rules.size(), 8);  // 4536 ... 8036, the last below 7920
        QCOMPARE(rules.first().from.y(), 4176 + 360);
        QCOMPARE(onPage(*rec, QStringLiteral("Original"), 2).page, 2);
        QCOMPARE(onPage(*rec, QStringLiteral("Original"), 1).page, 0);
        QCOMPARE(onPage(*rec, QStringLiteral("Proposed Price: $1,200.00"), 2).at,
                 QPoint(1224, 9216));
        QVERIFY(rulesOn(*rec, 1).isEmpty());
    }

    void bodyEndingJustAboveTheFootContinuesWithoutNotice() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        const int h = heightOf(Courier8Bold);
        in.body = bodyReaching(10080);
        in.body.removeLast();
        const int end = 4176 + int(in.body.size()) * h;
        QVERIFY2(end >= 9720 && end < 10080, qPrintable(QString::number(end)));
        const auto rec = recordProposal(in);
        QVERIFY(!rec->contains(QStringLiteral("Continued on Next Page")));
        QCOMPARE(rec->pages, 2);
        QVERIFY(rulesOn(*rec, 1).isEmpty());
        QCOMPARE(onPage(*rec, QStringLiteral("Page #  2 "), 2).page, 2);
        QCOMPARE(onPage(*rec, QStringLiteral("Proposed Price: $1,200.00"), 2).page, 2);
    }

    void lowerSectionPositions() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.days = QStringLiteral("45");
        const auto rec = recordProposal(in);
        const RecordedText rep =
            rec->first(QStringLiteral("Representative ") + QString(30, QLatin1Char('_')));
        QCOMPARE(rep.at, QPoint(5904, 9216));
        QCOMPARE(rep.font, (PrintFont{QStringLiteral("Arial"), 8, true, false}));
        const RecordedText days =
            rec->first(QStringLiteral("Proposal may be withdrawn if not accepted in 45 Days"));
        QCOMPARE(days.at, QPoint(5904, 9216 + heightOf(rep.font)));
        const RecordedText price = rec->first(QStringLiteral("Proposed Price: $1,200.00"));
        QCOMPARE(price.at, QPoint(1224, 9216));
        QCOMPARE(price.font.size, 12);
        const RecordedText with =
            rec->first(QStringLiteral("With Payments to be made as follows:"));
        QCOMPARE(with.at, QPoint(1224, 9216 + heightOf(price.font)));
        QCOMPARE(with.font.size, 8);
    }

    void disclaimerChoices_data() {
        QTest::addColumn<bool>("generic");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<bool>("hasCustomFile");
        QTest::addColumn<bool>("underscores");
        QTest::newRow("generic") << true << QString() << false << true;
        QTest::newRow("custom with insurer")
            << false << QStringLiteral("We insure.\nInsurance on above work to be provided by: us")
            << true << true;
        QTest::newRow("custom, phrase split across lines")
            << false << QStringLiteral("Insurance on above work\n to be provided by:") << true
            << true;
        QTest::newRow("custom without insurer")
            << false << QStringLiteral("Plain words") << true << false;
        QTest::newRow("no custom file") << false << QString() << false << false;
    }
    void disclaimerChoices() {
        QFETCH(bool, generic);
        QFETCH(QString, custom);
        QFETCH(bool, hasCustomFile);
        QFETCH(bool, underscores);
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.genericDisclaimer = generic;
        if (hasCustomFile) {
            in.customDisclaimer = custom;
        }
        const auto rec = recordProposal(in);
        const QString line46(46, QLatin1Char('_'));
        QCOMPARE(rec->contains(line46), underscores);
        const RecordedText days = rec->startingWith(QStringLiteral("Proposal may be withdrawn"));
        const int h = heightOf(days.font);
        // Disclaimer lines follow the withdrawal notice at x 5904.
        QList<RecordedText> after;
        for (const RecordedText& t : rec->texts) {
            if (t.at.x() == 5904 && t.at.y() > days.at.y() && t.text != line46) {
                after << t;
            }
        }
        if (generic) {
            QVERIFY(after.size() > 3);
            QString joined;
            for (const RecordedText& t : after) {
                joined += t.text;
                QVERIFY(t.width <= 4680 - 20);
                QCOMPARE(t.at.y(), days.at.y() + h * (1 + int(&t - &after.first())));
            }
            QCOMPARE(joined, Terms::GenericDisclaimer());
        }
        if (!generic && !hasCustomFile) {
            QVERIFY(after.isEmpty());
        }
        if (hasCustomFile) {
            QVERIFY(!after.isEmpty());
            QCOMPARE(after.first().at.y(), days.at.y() + h);
        }
        if (underscores) {
            const RecordedText u = rec->first(line46);
            QCOMPARE(u.at.x(), 5904);
            QCOMPARE(u.font.name, QStringLiteral("Arial"));
            // One empty line between the last disclaimer line and the underscores.
            QCOMPARE(u.at.y(), after.last().at.y() + 2 * h);
        }
    }

    void paymentOptions_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("down and final")
            << 0
            << QStringList{QStringLiteral("Down Payment of $600.00 on or before 12/10/2026"),
                           QStringLiteral("Final Payment of $600.00 on or before 1/10/2027")};
        QTest::newRow("in full") << 1
                                 << QStringList{QStringLiteral(
                                        "Final Payment of $600.00 on or before 12/10/2026")};
    }
    void paymentOptions() {
        QFETCH(int, option);
        QFETCH(QStringList, lines);
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        in.paymentOption = option;
        const auto rec = recordProposal(in);
        const RecordedText with =
            rec->first(QStringLiteral("With Payments to be made as follows:"));
        const PrintFont payFont{QStringLiteral("Arial"), 8, true, true};
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(1224, with.at.y() + (i + 1) * heightOf(payFont)));
            QCOMPARE(t.font, payFont);
            QCOMPARE(t.ink, Ink::Blue);
        }
        QVERIFY(!rec->contains(QStringLiteral("Payment Due Date")));
    }

    void paymentScheduleRightAligned() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        const auto rec = recordProposal(in);
        const RecordedText due = rec->first(QStringLiteral("Payment Due Date"));
        QCOMPARE(due.at.x(), 1224);
        QCOMPARE(due.font, (PrintFont{QStringLiteral("Arial"), 8, true, true}));
        const RecordedText amount = rec->first(QStringLiteral("Amount"));
        QCOMPARE(amount.at.x() + amount.width, 5040);
        QCOMPARE(amount.at.y(), due.at.y());
        const int h = heightOf(due.font);
        const QStringList dates{QStringLiteral("12/10/2026"), QStringLiteral("1/10/2027")};
        const QList<RecordedText> amounts = rec->find(QStringLiteral("$600.00"));
        QCOMPARE(amounts.size(), 2);
        for (int k = 0; k < 2; ++k) {
            const RecordedText d = rec->first(dates[k]);
            QCOMPARE(d.at.x() + d.width, 2160);
            QCOMPARE(d.at.y(), due.at.y() + (k + 2) * h);
            QVERIFY(!d.font.underline);
            QCOMPARE(amounts[k].at.x() + amounts[k].width, 5040);
            QCOMPARE(amounts[k].at.y(), d.at.y());
        }
    }

    void acceptanceBlock() {
        ProposalPrintInput in = sampleProposal();
        in.copies = 1;
        const auto rec = recordProposal(in);
        const RecordedText title = rec->first(QStringLiteral("Acceptance of Proposal"));
        QCOMPARE(title.at.y(), 11952);
        QCOMPARE(title.at.x(), (LetterPrintable.width() - title.width) / 2);
        QCOMPARE(title.font, (PrintFont{QStringLiteral("Arial"), 10, true, false}));
        const RecordedText text = rec->startingWith(QStringLiteral("The above prices"));
        QCOMPARE(text.at, QPoint(1224, 12240));
        const QString signature = QStringLiteral("Signature") + QString(30, QLatin1Char('_'));
        const QList<RecordedText> signatures = rec->find(signature);
        QCOMPARE(signatures.size(), 2);
        const RecordedText date =
            rec->first(QStringLiteral("Date") + QString(15, QLatin1Char('_')));
        const int h = heightOf(title.font);
        QCOMPARE(signatures[0].at.x(), 5040);
        QCOMPARE(date.at, QPoint(1440, signatures[0].at.y() + h));
        QCOMPARE(signatures[1].at, QPoint(5040, signatures[0].at.y() + 2 * h));
        QString accepted;
        for (const RecordedText& t : rec->texts) {
            if (t.at.x() == 1224 && t.at.y() >= 12240 && t.at.y() < signatures[0].at.y()) {
                accepted += t.text;
            }
        }
        QCOMPARE(accepted,
                 QStringLiteral("The above prices, specifications and conditions are "
                                "satisfactory and are hereby accepted. You are authorized "
                                "to do the work as specified. Payment will be made as "
                                "outlined above"));
    }

    void logoCentredAndCapped_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("printedHeight");
        QTest::newRow("square") << 1440 << 1440 << 1440;
        QTest::newRow("1799 kept") << 1000 << 1799 << 1799;
        QTest::newRow("tall capped") << 2000 << 2880 << 1800;
    }
    void logoCentredAndCapped() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, printedHeight);
        ProposalPrintInput in = sampleProposal();
        in.copies = 2;
        in.logo.picture = QImage(40, 30, QImage::Format_RGB32);
        in.logo.width = width;
        in.logo.height = height;
        const auto rec = recordProposal(in);
        QCOMPARE(rec->pictures.size(), 2);
        QCOMPARE(rec->pictures[0].target,
                 QRect((LetterPrintable.width() - width) / 2, 144, width, printedHeight));
        QCOMPARE(rec->pictures[1].page, 2);
    }

    void noLogoNoPicture() {
        const auto rec = recordProposal(sampleProposal());
        QVERIFY(rec->pictures.isEmpty());
        QCOMPARE(rec->pages, 3);
    }

    void samplePrintIsLogoAndBoxesOnly() {
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        LogoInfo logo;
        logo.picture = QImage(10, 10, QImage::Format_RGB32);
        logo.width = 1800;
        logo.height = 900;
        QVERIFY(PrintSample(device, PrintStyle{QStringLiteral("Arial"), true, 255}, logo));
        QVERIFY(rec->ended);
        QCOMPARE(rec->pages, 1);
        QVERIFY(rec->texts.isEmpty());
        QCOMPARE(rec->pictures.size(), 1);
        QCOMPARE(rec->pictures[0].target, QRect((11520 - 1800) / 2, 360, 1800, 900));
        QCOMPARE(rec->lines.size(), 5);
        const QList<quint32> inks{Ink::Blue, Ink::Blue, Ink::Blue, Ink::DarkBlue, Ink::DarkBlue};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(rec->lines[i].ink, inks[i]);
            QVERIFY(rec->lines[i].box);
        }
    }

    void samplePrintFlowReportsAFailingPrinter_data() {
        QTest::addColumn<QString>("openFailure");
        QTest::addColumn<QString>("endFailure");
        QTest::addColumn<bool>("printed");
        QTest::newRow("printed") << QString() << QString() << true;
        QTest::newRow("no printer") << QStringLiteral("no printer") << QString() << false;
        QTest::newRow("off-line") << QString() << QStringLiteral("off-line") << false;
    }
    void samplePrintFlowReportsAFailingPrinter() {
        QFETCH(QString, openFailure);
        QFETCH(QString, endFailure);
        QFETCH(bool, printed);
        ScriptedPrompter prompter;
        RecordingTarget target;
        if (!openFailure.isEmpty()) {
            target.failOpening(openFailure);
        }
        if (!endFailure.isEmpty()) {
            target.failEnding(endFailure);
        }
        if (!printed) {
            prompter.expectMessage(QStringLiteral("A Print Error has occurred"),
                                   QStringLiteral("Print Error"));
        }
        QCOMPARE(RunPrintSample(prompter, target, PrintStyle(), LogoInfo()), printed);
        QVERIFY2(prompter.done(), qPrintable(prompter.report()));
        QCOMPARE(target.requests().size(), 1);
        if (printed) {
            QCOMPARE(target.jobs().first()->lines.size(), 5);
        }
    }

    void failingDeviceIsReported() {
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        device.failAtEnd(QStringLiteral("off-line"));
        QVERIFY(!PrintProposal(device, sampleProposal()));
    }
};

TOLVAR_TEST(TestProposalLayout)
#include "test_proposallayout.moc"
