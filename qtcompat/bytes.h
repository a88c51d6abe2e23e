// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view of bytes without copying them: Qt 6's QByteArrayView; with Qt 5.15, which has none, a
// small one of the same name with the members this program uses.

#include <QByteArray>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QByteArrayView>
#else
#include <cstring>
#include <string_view>

class QByteArrayView {
public:
    constexpr QByteArrayView() noexcept = default;
    constexpr QByteArrayView(const char *data, qsizetype size) noexcept : data_(data), size_(size) {}
    QByteArrayView(const QByteArray &bytes) noexcept : data_(bytes.constData()), size_(bytes.size()) {}
    QByteArrayView(const char *text) noexcept : data_(text), size_(text ? qsizetype(std::strlen(text)) : 0) {}

    constexpr const char *data() const noexcept { return data_; }
    constexpr const char *constData() const noexcept { return data_; }
    constexpr qsizetype size() const noexcept { return size_; }
    constexpr qsizetype length() const noexcept { return size_; }
    constexpr bool isEmpty() const noexcept { return size_ == 0; }
    constexpr bool empty() const noexcept { return size_ == 0; }
    constexpr char operator[](qsizetype i) const { return data_[i]; }
    constexpr char at(qsizetype i) const { return data_[i]; }
    constexpr char front() const { return data_[0]; }
    constexpr char back() const { return data_[size_ - 1]; }
    constexpr const char *begin() const noexcept { return data_; }
    constexpr const char *end() const noexcept { return data_ + size_; }

    constexpr QByteArrayView first(qsizetype n) const { return {data_, n}; }
    constexpr QByteArrayView last(qsizetype n) const { return {data_ + size_ - n, n}; }
    constexpr QByteArrayView sliced(qsizetype pos) const { return {data_ + pos, size_ - pos}; }
    constexpr QByteArrayView sliced(qsizetype pos, qsizetype n) const { return {data_ + pos, n}; }
    constexpr QByteArrayView chopped(qsizetype n) const { return {data_, size_ - n}; }
    constexpr void chop(qsizetype n) { size_ -= n; }
    QByteArrayView trimmed() const noexcept
    {
        auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        qsizetype from = 0, to = size_;
        while (from < to && blank(data_[from]))
            ++from;
        while (to > from && blank(data_[to - 1]))
            --to;
        return {data_ + from, to - from};
    }

    bool startsWith(QByteArrayView other) const noexcept { return view().substr(0, other.size_) == other.view(); }
    bool startsWith(const QByteArray &other) const noexcept { return startsWith(QByteArrayView(other)); }
    bool startsWith(const char *other) const noexcept { return startsWith(QByteArrayView(other)); }
    bool startsWith(char c) const noexcept { return size_ > 0 && data_[0] == c; }
    bool endsWith(QByteArrayView other) const noexcept
    {
        return size_ >= other.size_ && last(other.size_).view() == other.view();
    }
    bool endsWith(const QByteArray &other) const noexcept { return endsWith(QByteArrayView(other)); }
    bool endsWith(const char *other) const noexcept { return endsWith(QByteArrayView(other)); }
    bool endsWith(char c) const noexcept { return size_ > 0 && data_[size_ - 1] == c; }
    qsizetype indexOf(char c, qsizetype from = 0) const noexcept { return found(view().find(c, size_t(from))); }
    qsizetype indexOf(QByteArrayView other, qsizetype from = 0) const noexcept
    {
        return found(view().find(other.view(), size_t(from)));
    }
    qsizetype lastIndexOf(char c) const noexcept { return found(view().rfind(c)); }
    bool contains(char c) const noexcept { return indexOf(c) >= 0; }
    bool contains(QByteArrayView other) const noexcept { return indexOf(other) >= 0; }

    QByteArray toByteArray() const { return QByteArray(data_, int(size_)); }
    operator QByteArray() const { return toByteArray(); }

    friend bool operator==(QByteArrayView a, QByteArrayView b) noexcept { return a.view() == b.view(); }
    friend bool operator!=(QByteArrayView a, QByteArrayView b) noexcept { return a.view() != b.view(); }
    friend bool operator==(QByteArrayView a, const char *b) noexcept { return a == QByteArrayView(b); }
    friend bool operator==(const QByteArray &a, QByteArrayView b) noexcept { return QByteArrayView(a) == b; }
    friend bool operator!=(const QByteArray &a, QByteArrayView b) noexcept { return QByteArrayView(a) != b; }
    friend bool operator==(QByteArrayView a, const QByteArray &b) noexcept { return a == QByteArrayView(b); }
    friend bool operator!=(QByteArrayView a, const QByteArray &b) noexcept { return a != QByteArrayView(b); }

private:
    std::string_view view() const noexcept { return {data_, size_t(size_)}; }
    static qsizetype found(size_t at) noexcept { return at == std::string_view::npos ? -1 : qsizetype(at); }

    const char *data_ = nullptr;
    qsizetype size_ = 0;
};
#endif
