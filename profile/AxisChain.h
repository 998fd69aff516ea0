#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Axis positions run from -32767 to 32767.
inline constexpr int kAxisMin = -32767;
inline constexpr int kAxisMax = 32767;
// A chain holds at most this many breakpoints in all.
inline constexpr int kChainCapacity = 255;

// Receives the lines a chain writes; each call is one line without its line end.
using LineSink = std::function<void(std::string_view line)>;

// The stored line of a breakpoint group: "(%i : %i ; %i) ( + %s  - %s )".
std::string formatGroupLine(int start, int end, int count, std::string_view increase,
                            std::string_view decrease);

// The positions of a group's breakpoints, unsorted, the step truncated toward zero.
std::vector<int> expandGroup(int start, int end, int count);

// A named list of stored breakpoint-group lines with the capacity they leave.
class AxisChain {
public:
    AxisChain() = default;
    explicit AxisChain(std::string name) : name_(std::move(name)) {}
    AxisChain(const AxisChain&) = default;
    AxisChain& operator=(const AxisChain&) = default;
    AxisChain(AxisChain&&) = default;
    AxisChain& operator=(AxisChain&&) = default;
    virtual ~AxisChain() = default;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Appends the line and takes count from the free capacity, whatever the result.
    void addGroupLine(std::string line, int count);
    // Gives back the Count read from the line (when one can be read), then removes it.
    int removeGroup(int index);
    void clearGroups();
    // The exact inverses of adding and removing a group, for undo and redo: the line goes
    // in or out at its index and the free capacity becomes the one given.
    void insertGroup(int index, std::string line, int freeCapacity);
    void eraseGroup(int index, int freeCapacity);
    // All groups moved out (Clear) and back, with the capacity they leave.
    std::vector<std::string> takeGroups();
    void restoreGroups(std::vector<std::string> groups, int freeCapacity);

    int freeCapacity() const { return freeCapacity_; }
    int groupCount() const { return static_cast<int>(groups_.size()); }
    const std::string& group(int index) const { return groups_.at(index); }
    const std::vector<std::string>& groups() const { return groups_; }
    void writeGroups(const LineSink& sink) const;

    bool operator==(const AxisChain&) const = default;

private:
    std::string name_;
    std::vector<std::string> groups_;
    int freeCapacity_ = kChainCapacity;
};

// All chains of a profile, in insertion order; at most 25.
class AxisChainList {
public:
    static constexpr int kMaxChains = 25;

    int chainCount() const { return static_cast<int>(chains_.size()); }
    const AxisChain& chain(int index) const { return chains_.at(index); }
    AxisChain& chain(int index) { return chains_.at(index); }
    const std::vector<AxisChain>& chains() const { return chains_; }

    // Index of the chain of this name compared without regard to case, or -1.
    int findIgnoringCase(std::string_view name) const;

    // Nothing happens when the list is full.
    void addChain(std::string name);
    // Appends a copy named name_2 .. name_254, the first free one; false when none is free
    // or the list is full.
    bool duplicateChain(int index);
    // Refused (false) when any chain, this one included, already has the name in any case.
    bool renameChain(int index, std::string newName);
    void deleteChain(int index);
    // Puts a chain back at its index, for undo; no limit applies.
    void insertChain(int index, AxisChain chain);
    void resetChains() { chains_.clear(); }
    void addGroupLine(std::string line, int count, int chainIndex);
    void writeChains(const LineSink& sink) const;

    bool operator==(const AxisChainList&) const = default;

private:
    std::vector<AxisChain> chains_;
};

} // namespace vantrel
