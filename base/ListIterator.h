// Read-only forward iteration over the nodes of ORBList and CList, leaving
// the lists' own cursors alone.
#pragma once

template <class Node, class T>
class ListConstIterator {
 public:
  explicit ListConstIterator(const Node* node) : m_node(node) {}
  const T& operator*() const { return m_node->value; }
  const T* operator->() const { return &m_node->value; }
  ListConstIterator& operator++() {
    m_node = m_node->next;
    return *this;
  }
  bool operator!=(const ListConstIterator& other) const { return m_node != other.m_node; }

 private:
  const Node* m_node;
};
