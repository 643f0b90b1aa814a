// Sorted insertion into and removal from the singly linked element lists.
#pragma once

// Links node ahead of the first node whose key is >= the node's key.
template <typename Node, typename Key>
void LinkAheadOfEqual(Node*& head, Node* node, Key key)
{
    Node** link = &head;
    while (*link && key(*link) < key(node))
        link = &(*link)->next;
    node->next = *link;
    *link = node;
}

// Links node after every node whose key is <= the node's key.
template <typename Node, typename Key>
void LinkAfterEqual(Node*& head, Node* node, Key key)
{
    Node** link = &head;
    while (*link && key(*link) <= key(node))
        link = &(*link)->next;
    node->next = *link;
    *link = node;
}

// Unlinks and frees the first node that satisfies match; true when one was found.
template <typename Node, typename Match, typename Free>
bool UnlinkFirst(Node*& head, Match match, Free freeNode)
{
    for (Node** link = &head; *link; link = &(*link)->next) {
        if (match(*link)) {
            Node* node = *link;
            *link = node->next;
            freeNode(node);
            return true;
        }
    }
    return false;
}

// Unlinks and frees every node that satisfies match.
template <typename Node, typename Match, typename Free>
void UnlinkAll(Node*& head, Match match, Free freeNode)
{
    Node** link = &head;
    while (*link) {
        if (match(*link)) {
            Node* node = *link;
            *link = node->next;
            freeNode(node);
        } else {
            link = &(*link)->next;
        }
    }
}

// Frees every node after node (the node itself stays, ending the list).
template <typename Node, typename Free>
void TruncateAfter(Node* node, Free freeNode)
{
    Node* rest = node->next;
    node->next = nullptr;
    while (rest) {
        Node* next = rest->next;
        freeNode(rest);
        rest = next;
    }
}

template <typename Node>
void DeleteNode(Node* node)
{
    delete node;
}

template <typename Node>
void DeleteNodeWithData(Node* node)
{
    delete[] node->data;
    delete node;
}
