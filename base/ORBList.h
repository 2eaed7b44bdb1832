// ORBList: singly linked list that owns its elements. Adding links at the head,
// so a walk runs newest first. One built-in cursor (with its predecessor) serves
// walks and removal at the cursor.
//
//   for (T* e = list.First(); e; e = list.Next()) { ... list.RemoveCurrent(); ... }
//
// RemoveCurrent leaves the cursor on the element that followed, so a walk that
// removes must not call Next for that step (see RemoveCurrent).
#pragma once

#include <utility>

#include "base/ListIterator.h"

template <class T>
class ORBList {
  struct Node {
    T value;
    Node* next;
  };

 public:
  ORBList() = default;
  ORBList(const ORBList&) = delete;
  ORBList& operator=(const ORBList&) = delete;
  virtual ~ORBList() { Clear(); }

  // Links a new element at the head and returns it.
  T* Add(T value) {
    Node* node = new Node{std::move(value), m_head};
    m_head = node;
    ++m_count;
    return &node->value;
  }

  void Clear() {
    while (m_head) {
      Node* next = m_head->next;
      delete m_head;
      m_head = next;
    }
    m_count = 0;
    m_cursor = nullptr;
    m_previous = nullptr;
  }

  int Count() const { return m_count; }
  bool Empty() const { return m_head == nullptr; }
  T* Head() { return m_head ? &m_head->value : nullptr; }

  // Cursor walk from the head.
  T* First() {
    m_previous = nullptr;
    m_cursor = m_head;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Next() {
    if (!m_cursor) return nullptr;
    m_previous = m_cursor;
    m_cursor = m_cursor->next;
    return m_cursor ? &m_cursor->value : nullptr;
  }
  T* Current() { return m_cursor ? &m_cursor->value : nullptr; }

  // Unlinks and frees the element under the cursor; the cursor moves to the
  // element that followed it and that element is returned.
  T* RemoveCurrent() {
    if (!m_cursor) return nullptr;
    Node* next = m_cursor->next;
    if (m_previous)
      m_previous->next = next;
    else
      m_head = next;
    delete m_cursor;
    --m_count;
    m_cursor = next;
    return m_cursor ? &m_cursor->value : nullptr;
  }

  // Read-only iteration that leaves the cursor alone.
  using const_iterator = ListConstIterator<Node, T>;
  const_iterator begin() const { return const_iterator(m_head); }
  const_iterator end() const { return const_iterator(nullptr); }

 private:
  Node* m_head = nullptr;
  Node* m_cursor = nullptr;
  Node* m_previous = nullptr;
  int m_count = 0;
};
