#pragma once
// The nondeterministic automaton the compiler builds: nodes with ordered edges, each edge a character
// set and a target. The arena owns every node and edge and enforces the construction budget.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pattern/charset256.h"
#include "pattern/rexi_chunk_pool.h"
#include "pattern/rexi_limits.h"

struct REXI_NfaNode;

struct REXI_NfaEdge {
  CharSet256 set;                   // the characters that take the edge
  REXI_NfaNode* target = nullptr;   // where they lead
  REXI_NfaEdge* next = nullptr;     // the source node's following edge
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

  uint32_t number = 0;                       // creation order, unique within the compiler
  int32_t definitionNumber = kNoDefinition;  // the named definition whose final node this is
  bool final = false;                        // reaching this node completes a match
  uint32_t edgeCount = 0;
  REXI_NfaEdge* firstEdge = nullptr;         // new edges are appended after lastEdge
  REXI_NfaEdge* lastEdge = nullptr;

  // Scratch of one walk at a time: the walks need no memory of their own.
  mutable uint64_t walkStamp = 0;            // the walk that last reached this node
  mutable REXI_NfaNode* walkNext = nullptr;  // the next node on the walk's pending stack
  mutable REXI_NfaNode* copy = nullptr;      // this node's copy while a fragment is cloned
  mutable uint32_t flatIndex = 0;            // this node's index in the DFA builder's flat copy

  REXI_NfaEdgeRange Edges() const { return REXI_NfaEdgeRange(firstEdge); }
};

// A value never handed out before in this process: marks the nodes one walk has reached.
uint64_t REXI_NewWalkStamp();

class REXI_NfaArena {
public:
  struct Mark {
    size_t nodes;
    size_t edges;
  };
  // Edges collected by a construction: the edge and the node it leaves.
  struct SourcedEdge {
    REXI_NfaNode* source;
    const REXI_NfaEdge* edge;
  };

  explicit REXI_NfaArena(const REXI_Limits& limits) : limits_(limits) {}
  REXI_NfaArena(const REXI_NfaArena&) = delete;
  REXI_NfaArena& operator=(const REXI_NfaArena&) = delete;

  REXI_NfaNode* NewNode(bool final);
  void AddEdge(REXI_NfaNode* from, const CharSet256& set, REXI_NfaNode* to);

  // Budget counters restart for each compile or definition.
  void BeginConstruction();
  void PayWalkSteps(uint64_t steps);

  // Nodes and edges made after a mark can be released together (a compiled pattern's, once its DFA
  // exists). Nodes from before the mark must not have gained edges since.
  Mark GetMark() const { return {nodes_.Size(), edges_.Size()}; }
  void ReleaseSince(const Mark& mark);
  size_t NodeCount() const { return nodes_.Size(); }

  // Reusable scratch lists of the constructions (one construction runs at a time).
  std::vector<SourcedEdge>& ScratchEdges() { return scratchEdges_; }
  std::vector<REXI_NfaNode*>& ScratchNodes() { return scratchNodes_; }

private:
  const REXI_Limits limits_;
  REXI_ChunkPool<REXI_NfaNode, 128> nodes_;
  REXI_ChunkPool<REXI_NfaEdge, 128> edges_;
  uint32_t nodeCounter_ = 0;
  uint32_t nodesMade_ = 0;
  uint32_t edgesMade_ = 0;
  uint64_t walkSteps_ = 0;
  std::vector<SourcedEdge> scratchEdges_;
  std::vector<REXI_NfaNode*> scratchNodes_;
};
