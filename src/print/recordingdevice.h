#pragma once

#include "print/pagedevice.h"
#include "print/printtarget.h"

#include <QList>
#include <QStringList>

#include <memory>

// Printable area of a Letter page with a quarter-inch inset all round.
inline constexpr QSize LetterPrintable(11520, 15120);
inline constexpr QPoint LetterInset(360, 360);

struct RecordedText {
    int page = 1;
    QPoint at;
    QString text;
    PrintFont font;
    quint32 ink = Ink::Black;
    int width = 0;  // as measured when printed
};

struct RecordedLine {
    int page = 1;
    QPoint from;
    QPoint to;
    int width = 1;
    quint32 ink = Ink::Black;
    bool box = false;
};

struct RecordedPicture {
    int page = 1;
    QRect target;
    QSize pictureSize;
};

// Everything one job drew, page by page, for tests to look at.
struct Recording {
    QList<RecordedText> texts;
    QList<RecordedLine> lines;
    QList<RecordedPicture> pictures;
    int pages = 1;  // pages output (a new page counts once drawn on)
    bool landscape = false;
    bool colour = true;
    bool ended = false;

    QList<RecordedText> textsOn(int page) const;
    QList<RecordedLine> linesOn(int page) const;
    // Every text item exactly `text`, in drawing order.
    QList<RecordedText> find(const QString& text) const;
    // The first item exactly `text`; a blank item when there is none.
    RecordedText first(const QString& text) const;
    bool contains(const QString& text) const { return !find(text).isEmpty(); }
    // The first item starting with `prefix`.
    RecordedText startingWith(const QString& prefix, int page = 0) const;
};

// A page device that keeps every item instead of printing it. It measures
// with the same fonts and metrics the painter device prints with.
class RecordingDevice : public PageDevice {
public:
    explicit RecordingDevice(std::shared_ptr<Recording> recording,
                             QSize portraitArea = LetterPrintable);

    void setLandscape(bool landscape) override;
    void setColourMode(bool colour) override;
    QSize printableSize() const override;
    QPoint printableOrigin() const override { return LetterInset; }
    int textWidth(const QString& text, const PrintFont& font) const override;
    int textHeight(const PrintFont& font) const override;
    void drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) override;
    void drawLine(QPoint from, QPoint to, int width, quint32 ink) override;
    void drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) override;
    void drawPicture(const QRect& target, const QImage& picture) override;
    void newPage() override;
    bool end() override;
    QString error() const override { return m_error; }

    // Makes end() fail, as a printer that went off-line would.
    void failAtEnd(const QString& error) { m_failAtEnd = error; }

    const Recording& recording() const { return *m_recording; }

private:
    int drawingPage();

    std::shared_ptr<Recording> m_recording;
    QSize m_portrait;
    bool m_pagePending = false;
    QString m_failAtEnd;
    QString m_error;
};

// A print target that records every job it is asked for.
class RecordingTarget : public PrintTarget {
public:
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override;
    QString error() const override { return m_error; }

    // The next jobs fail to start, or fail when they end.
    void failOpening(const QString& error) { m_failOpen = error; }
    void failEnding(const QString& error) { m_failEnd = error; }

    const QList<std::shared_ptr<Recording>>& jobs() const { return m_jobs; }
    const QList<PrintRequest>& requests() const { return m_requests; }

private:
    QList<std::shared_ptr<Recording>> m_jobs;
    QList<PrintRequest> m_requests;
    QString m_failOpen;
    QString m_failEnd;
    QString m_error;
};
