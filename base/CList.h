// CList: doubly linked list that owns its elements and appends at the tail, so
// a walk runs in insertion order. One built-in cursor serves walks.
//
//   for (T* e = list.First(); e; e = list.Next()) { ... }
#pragma once

#include <utility>

#include "base/ListIterator.h"

template <class T>
class CList {
  struct Node {
    T value;
    Node* previous;
    Node* next;
  };

 public:
  CList() = default;
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  virtual ~CList() { Clear(); }

  // Appends a new element at the tail and returns it.
  T* Append(T value) {
    Node* node = new Node{std::move(value), m_tail, nullptr};
    if (m_tail)
      m_tail->next = node;
    else
      m_head = node;
    m_tail = node;
    ++m_count;
    return &node->value;
  }

  void Clear() {
    while (m_head) {
      Node* next = m_head->next;
      delete m_head;
      m_head = next;
    }
    m_tail = nullptr;
    m_cursor = nullptr;
    m_count = 0;
  }

  int Count() const { return m_count; }
  bool Empty() const { return m_head == nullptr; }
  T* Head() { return m_head ? &m_head->value : nullptr; }
  T* Tail() { return m_tail ? &m_tail->value : nullptr; }

  T* First() {
    m_cursor = m_head;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Last() {
    m_cursor = m_tail;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Next() {
    if (m_cursor) m_cursor = m_cursor->next;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Previous() {
    if (m_cursor) m_cursor = m_cursor->previous;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Current() { return m_cursor ? &m_cursor->value : nullptr; }

  // Read-only iteration that leaves the cursor alone.
  using const_iterator = ListConstIterator<Node, T>;
  const_iterator begin() const { return const_iterator(m_head); }
  const_iterator end() const { return const_iterator(nullptr); }

 private:
  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  Node* m_cursor = nullptr;
  int m_count = 0;
};
