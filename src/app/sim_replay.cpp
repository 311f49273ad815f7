#include "app/sim_replay.h"

#include "log/datalog_reader.h"

namespace quorvel::sim {

std::optional<FrameReplay> loadReplay(const std::filesystem::path& log, std::string& error)
{
    DatalogRead read = readDatalog(log);
    switch (read.problem) {
    case DatalogProblem::CannotOpen:
        error = read.detail;
        return std::nullopt;
    case DatalogProblem::NotADatalog:
        error = read.detail + " is no datalog";
        return std::nullopt;
    case DatalogProblem::None:
        break;
    }
    if (read.log->empty()) {
        error = log.string() + " holds no rows";
        return std::nullopt;
    }
    const Datalog& ride = *read.log;
    return FrameReplay({ride.timesMs().begin(), ride.timesMs().end()}, {ride.frames().begin(), ride.frames().end()});
}

} // namespace quorvel::sim
