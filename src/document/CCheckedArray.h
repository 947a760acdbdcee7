#pragma once
#include <cstddef>
#include <vector>

#include "document/CImproperArgument.h"

// An ordered, growable array of plain records kept by value. Every index is
// checked: one outside the array throws CImproperArgument and changes nothing.
template <class T>
class CCheckedArray {
public:
    [[nodiscard]] std::size_t Size() const { return m_items.size(); }
    [[nodiscard]] bool Empty() const { return m_items.empty(); }

    void Append(const T& item) { m_items.push_back(item); }
    void InsertAt(std::size_t index, const T& item) {
        if (index > m_items.size()) {
            throw CImproperArgument("insert position outside the array");
        }
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), item);
    }
    void RemoveAt(std::size_t index) {
        Check(index);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void RemoveAll() { m_items.clear(); }
    // Grows with value-initialised records (zero fields, empty texts) or cuts the end.
    void SetSize(std::size_t size) { m_items.resize(size); }

    [[nodiscard]] T& At(std::size_t index) {
        Check(index);
        return m_items[index];
    }
    [[nodiscard]] const T& At(std::size_t index) const {
        Check(index);
        return m_items[index];
    }
    [[nodiscard]] T& operator[](std::size_t index) { return At(index); }
    [[nodiscard]] const T& operator[](std::size_t index) const { return At(index); }

    [[nodiscard]] auto begin() { return m_items.begin(); }
    [[nodiscard]] auto end() { return m_items.end(); }
    [[nodiscard]] auto begin() const { return m_items.begin(); }
    [[nodiscard]] auto end() const { return m_items.end(); }
    [[nodiscard]] const std::vector<T>& Items() const { return m_items; }
    void Assign(std::vector<T> items) { m_items = std::move(items); }

    bool operator==(const CCheckedArray&) const = default;

private:
    void Check(std::size_t index) const {
        if (index >= m_items.size()) {
            throw CImproperArgument("index outside the array");
        }
    }

    std::vector<T> m_items;
};
