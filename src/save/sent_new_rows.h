#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/record_table.h"

namespace jex {

// The sequences the database stored a save's new rows under, by the texts the control gave
// them ("005N" to "005", "007N" to "7").
struct StoredSequences {
    std::map<std::string, std::string> issues;
    std::map<std::string, std::string> comments;
};

// The new rows a save sends (their sequences end in "N"), with the texts the database keeps of
// them as sent, and the stored rows the control knew before it. The database numbers new rows
// when the batches run, so this is what finds them in the order as stored after the save,
// whatever numbers other clerks took meanwhile.
class SentNewRows {
  public:
    SentNewRows() = default;

    // The marked new rows of both tables and the sequences of their stored rows. Clears the
    // filters; raises the tables' errors. A closed table has none.
    static SentNewRows ofMarkedRows(RecordTable& issues, RecordTable& comments);

    bool empty() const { return m_issues.empty() && m_comments.empty(); }

    // True for the sequence of a stored row the control knew before the save ("005", "7").
    bool knowsIssue(const std::string& sequence) const { return m_knownIssues.contains(sequence); }
    bool knowsComment(const std::string& sequence) const {
        return m_knownComments.contains(sequence);
    }

    // Finds each sent row among the rows of the order as stored that the control did not know:
    // an issue by its date and description, a comment by its date, its description and its
    // issue. The lowest number wins and each stored row is taken once; a row not found is left
    // out. Raises the tables' errors.
    StoredSequences foundIn(RecordTable& storedIssues, RecordTable& storedComments) const;

  private:
    struct Row {
        std::string sequence;
        std::string owner;  // a comment's issue
        std::string date;
        std::string description;
    };

    std::vector<Row> m_issues;
    std::vector<Row> m_comments;
    std::set<std::string> m_knownIssues;
    std::set<std::string> m_knownComments;
};

}  // namespace jex
