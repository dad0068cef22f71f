#pragma once
// The nondeterministic automaton the compiler builds: nodes with ordered edges, each edge a character
// set and a target. The arena owns every node and edge and enforces the construction budget.

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

#include "pattern/charset256.h"
#include "pattern/rexi_chunk_pool.h"
#include "pattern/rexi_limits.h"
#include "pattern/rexi_set_table.h"

struct REXI_NfaNode;

struct REXI_NfaEdge {
  uint32_t setId = 0;              // the characters that take the edge, in the arena's set table
  REXI_NfaNode* target = nullptr;  // where they lead
  REXI_NfaEdge* next = nullptr;    // the source node's following edge
};

// A node's edges in order, for range-for loops.
class REXI_NfaEdgeRange {
 public:
  class Iterator {
   public:
    explicit Iterator(REXI_NfaEdge* edge) : edge_(edge) {}
    REXI_NfaEdge& operator*() const { return *edge_; }
    Iterator& operator++() {
      edge_ = edge_->next;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return edge_ != other.edge_; }

   private:
    REXI_NfaEdge* edge_;
  };
  explicit REXI_NfaEdgeRange(REXI_NfaEdge* first) : first_(first) {}
  Iterator begin() const { return Iterator(first_); }
  Iterator end() const { return Iterator(nullptr); }

 private:
  REXI_NfaEdge* first_;
};

struct REXI_NfaNode {
  static constexpr int32_t kNoDefinition = -2;

  // The eight-byte fields come first: a new node is zeroed in sixteen-byte stores from its start, and
  // a later read of one of them then never straddles two of those stores (which would stall it).
  REXI_NfaEdge* firstEdge = nullptr;  // new edges are appended after lastEdge
  REXI_NfaEdge* lastEdge = nullptr;
  // Scratch of one walk at a time: the walks need no memory of their own.
  mutable uint64_t walkStamp = 0;            // the walk of this node's arena that last reached it
  mutable REXI_NfaNode* walkNext = nullptr;  // the next node on the walk's pending stack
  mutable REXI_NfaNode* copy = nullptr;      // this node's copy while a fragment is cloned

  uint32_t number = 0;                       // creation order, unique within the compiler
  int32_t definitionNumber = kNoDefinition;  // the named definition whose final node this is
  uint32_t edgeCount = 0;
  mutable uint32_t flatIndex = 0;  // this node's index in the DFA builder's flat copy
  bool final = false;              // reaching this node completes a match

  REXI_NfaEdgeRange Edges() const { return REXI_NfaEdgeRange(firstEdge); }
};

// How many nodes, edges and sets an arena holds: bounds on what a walk over them can meet.
struct REXI_NfaCounts {
  size_t nodes;
  size_t edges;
  size_t sets;
};

class REXI_NfaArena {
 public:
  using Mark = REXI_NfaCounts;
  // Edges collected by a construction: the edge and the node it leaves.
  struct SourcedEdge {
    REXI_NfaNode* source;
    const REXI_NfaEdge* edge;
    uint64_t key;  // the source's number, then the edge's set name: a construction orders by it
  };

  // Nodes, edges and scratch lists come from 'memory'.
  REXI_NfaArena(const REXI_Limits& limits, std::pmr::memory_resource* memory)
      : limits_(limits),
        nodes_(memory),
        edges_(memory),
        sets_(memory),
        scratchEdges_(memory),
        scratchCopiedEdges_(memory),
        scratchNodes_(memory) {}
  REXI_NfaArena(const REXI_NfaArena&) = delete;
  REXI_NfaArena& operator=(const REXI_NfaArena&) = delete;

  REXI_NfaNode* NewNode(bool final) {
    if (++nodesMade_ > limits_.maxNfaNodes) ThrowTooLarge();
    REXI_NfaNode* node = nodes_.New();
    node->number = nodeCounter_++;
    node->final = final;
    return node;
  }
  // setId: a name from InternSet.
  void AddEdge(REXI_NfaNode* from, uint32_t setId, REXI_NfaNode* to) {
    if (++edgesMade_ > limits_.maxNfaEdges) ThrowTooLarge();
    REXI_NfaEdge* edge = edges_.New();
    edge->setId = setId;
    edge->target = to;
    (from->lastEdge != nullptr ? from->lastEdge->next : from->firstEdge) = edge;
    from->lastEdge = edge;
    ++from->edgeCount;
  }

  uint32_t InternSet(const CharSet256& set) { return sets_.Intern(set); }
  uint32_t InternValueSet(uint8_t value) { return sets_.InternValue(value); }
  // Valid until the next InternSet.
  const CharSet256& SetOf(const REXI_NfaEdge& edge) const { return sets_[edge.setId]; }
  const REXI_SetTable& Sets() const { return sets_; }

  // A value this arena never handed out before: marks the nodes one walk has reached.
  uint64_t NewWalkStamp() { return ++lastWalkStamp_; }

  // Budget counters restart for each compile or definition.
  void BeginConstruction();
  void PayWalkSteps(uint64_t steps) {
    walkSteps_ += steps;
    if (walkSteps_ > limits_.maxNfaWalkSteps) ThrowTooLarge();
  }

  // Nodes and edges made after a mark can be released together (a compiled pattern's, once its DFA
  // exists). Nodes from before the mark must not have gained edges since.
  Mark GetMark() const { return Counts(); }
  void ReleaseSince(const Mark& mark);
  size_t NodeCount() const { return nodes_.Size(); }
  REXI_NfaCounts Counts() const { return {nodes_.Size(), edges_.Size(), sets_.Count()}; }

  // Reusable scratch lists of the constructions (one construction runs at a time), given room when
  // first used: a short pattern needs only some of them.
  std::pmr::vector<SourcedEdge>& ScratchEdges() { return WithRoom(scratchEdges_); }
  std::pmr::vector<SourcedEdge>& ScratchCopiedEdges() { return WithRoom(scratchCopiedEdges_); }
  std::pmr::vector<REXI_NfaNode*>& ScratchNodes() { return WithRoom(scratchNodes_); }

 private:
  // Raises the budget error; the parser adds the position.
  [[noreturn]] static void ThrowTooLarge();
  template <class T>
  static std::pmr::vector<T>& WithRoom(std::pmr::vector<T>& list) {
    constexpr size_t kTypicalCount = 32;  // of the edges or nodes a construction collects
    if (list.capacity() == 0) list.reserve(kTypicalCount);
    return list;
  }

  const REXI_Limits limits_;
  REXI_ChunkPool<REXI_NfaNode, 64> nodes_;
  REXI_ChunkPool<REXI_NfaEdge, 64> edges_;
  REXI_SetTable sets_;
  uint64_t lastWalkStamp_ = 0;
  uint32_t nodeCounter_ = 0;
  uint32_t nodesMade_ = 0;
  uint32_t edgesMade_ = 0;
  uint64_t walkSteps_ = 0;
  std::pmr::vector<SourcedEdge> scratchEdges_;
  std::pmr::vector<SourcedEdge> scratchCopiedEdges_;
  std::pmr::vector<REXI_NfaNode*> scratchNodes_;
};
