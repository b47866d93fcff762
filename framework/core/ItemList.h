// An ordered list of owned object pointers kept in a GrowBuffer. An index
// outside 0..n-1 yields no item.
#pragma once

#include "framework/core/GrowBuffer.h"

template <class T>
class ItemList {
  public:
    ItemList() = default;
    ~ItemList() { DeleteAll(); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    int Count() const { return static_cast<int>(items_.Size() / sizeof(T*)); }

    T* Get(int index) const {
        if (index < 0 || index >= Count()) return nullptr;
        return items_.As<T*>()[index];
    }

    // Takes ownership. When the list cannot grow the item is deleted and the
    // result is false, so nothing leaks.
    bool Add(T* item) {
        if (!items_.Append(&item, sizeof item)) {
            delete item;
            return false;
        }
        return true;
    }

    // Deletes every item, first to last, and empties the list.
    void DeleteAll() {
        const int n = Count();
        for (int i = 0; i < n; ++i) delete items_.As<T*>()[i];
        items_.Release();
    }

  private:
    GrowBuffer items_;
};
