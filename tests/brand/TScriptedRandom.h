#pragma once
// A random source that answers from a script and records the counts it was asked for.

#include "brand/URandomSource.h"

#include <deque>
#include <vector>

class TScriptedRandom : public TRandomSource {
public:
    explicit TScriptedRandom(std::deque<int> answers = {})
        : Answers(std::move(answers))
    {
    }
    int Below(int count) override
    {
        Counts.push_back(count);
        if (Answers.empty())
            return 0;
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::deque<int> Answers;
    std::vector<int> Counts;
};
