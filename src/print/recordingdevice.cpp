#include "print/recordingdevice.h"

#include "print/fontmetrics.h"

namespace {
template <typename T>
QList<T> onPage(const QList<T>& items, int page) {
    QList<T> out;
    for (const T& item : items) {
        if (item.page == page) {
            out << item;
        }
    }
    return out;
}
}  // namespace

QList<RecordedText> Recording::textsOn(int page) const {
    return onPage(texts, page);
}

QList<RecordedLine> Recording::linesOn(int page) const {
    return onPage(lines, page);
}

QList<RecordedText> Recording::find(const QString& text) const {
    QList<RecordedText> out;
    for (const RecordedText& t : texts) {
        if (t.text == text) {
            out << t;
        }
    }
    return out;
}

RecordedText Recording::first(const QString& text) const {
    const QList<RecordedText> all = find(text);
    return all.isEmpty() ? RecordedText{0, {}, {}, {}, Ink::Black, 0} : all.first();
}

RecordedText Recording::startingWith(const QString& prefix, int page) const {
    for (const RecordedText& t : texts) {
        if (t.text.startsWith(prefix) && (page == 0 || t.page == page)) {
            return t;
        }
    }
    return RecordedText{0, {}, {}, {}, Ink::Black, 0};
}

RecordingDevice::RecordingDevice(std::shared_ptr<Recording> recording, QSize portraitArea)
    : m_recording(std::move(recording)), m_portrait(portraitArea) {}

void RecordingDevice::setLandscape(bool landscape) {
    m_recording->landscape = landscape;
}

void RecordingDevice::setColourMode(bool colour) {
    m_recording->colour = colour;
}

QSize RecordingDevice::printableSize() const {
    return m_recording->landscape ? m_portrait.transposed() : m_portrait;
}

int RecordingDevice::textWidth(const QString& text, const PrintFont& font) const {
    return measureTextWidth(text, font);
}

int RecordingDevice::textHeight(const PrintFont& font) const {
    return measureTextHeight(font);
}

int RecordingDevice::drawingPage() {
    if (m_pagePending) {
        m_pagePending = false;
        ++m_recording->pages;
    }
    return m_recording->pages;
}

void RecordingDevice::drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) {
    m_recording->texts << RecordedText{drawingPage(), at, text, font, ink, textWidth(text, font)};
}

void RecordingDevice::drawLine(QPoint from, QPoint to, int width, quint32 ink) {
    m_recording->lines << RecordedLine{drawingPage(), from, to, width, ink, false};
}

void RecordingDevice::drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) {
    m_recording->lines << RecordedLine{drawingPage(), corner1, corner2, width, ink, true};
}

void RecordingDevice::drawPicture(const QRect& target, const QImage& picture) {
    m_recording->pictures << RecordedPicture{drawingPage(), target, picture.size()};
}

void RecordingDevice::newPage() {
    drawingPage();
    m_pagePending = true;
}

bool RecordingDevice::end() {
    m_recording->ended = true;
    m_error = m_failAtEnd;
    return m_error.isEmpty();
}

std::unique_ptr<PageDevice> RecordingTarget::open(const PrintRequest& request) {
    m_requests << request;
    if (!m_failOpen.isEmpty()) {
        m_error = m_failOpen;
        return nullptr;
    }
    m_error.clear();
    auto recording = std::make_shared<Recording>();
    m_jobs << recording;
    auto device = std::make_unique<RecordingDevice>(recording);
    if (!m_failEnd.isEmpty()) {
        device->failAtEnd(m_failEnd);
    }
    return device;
}
