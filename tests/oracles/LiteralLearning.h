#pragma once

#include <string>
#include <vector>

#include "LiteralFileIO.h"
#include "aim/text/TranscriptText.h"
#include "data/Learning.h"
#include "data/codepage/CodePage.h"

// The learning split as a literal loop: the text still to be read is copied and cut from
// the front at every step, and every search starts again from its beginning. Slow on
// purpose, and obviously right.
namespace brevanto::oracles {

inline std::vector<data::LearnedPair> LiteralLearning(std::string T, const std::string& B,
                                                      const std::string& M) {
    std::vector<data::LearnedPair> rows;
    if (T.substr(0, M.size()) == M) {
        const auto b = T.find(B);
        if (b != std::string::npos) {
            T = T.substr(b);
        }
    }
    for (;;) {
        const auto v = T.find(M);
        if (v == std::string::npos) {
            break;
        }
        std::string message = T.substr(0, v);
        if (message.empty()) {
            break;
        }
        message = modAIM::ReplaceText(message, B, "");
        T = T.substr(v);
        data::LearnedPair row;
        row.message = codepage::ToLower(oracle::LiteralTrim(message));
        const auto p = T.find(B);
        std::string answer;
        if (p != std::string::npos) {
            answer = T.substr(0, p);
            T = T.substr(p);
        } else {
            answer = T;
            T = T.substr(T.size() - 1);
        }
        answer = modAIM::ReplaceText(answer, M, "");
        row.answer = oracle::LiteralTrim(answer);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace brevanto::oracles
