#pragma once
// A large planner for the benchmarks: 2,000 projects of 50 tasks in 20 categories and
// 100,000 hour entries, always the same.

#include <string>

class THours;
class TProjects;

constexpr int BenchProjectCount = 2000;
constexpr int BenchTasksPerProject = 50;
constexpr int BenchHourEntries = 100000;

void FillPlanner(TProjects& projects, THours& hours, int hourEntries = BenchHourEntries);
