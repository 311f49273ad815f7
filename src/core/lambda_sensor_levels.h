#pragma once

namespace quorvel {

// A narrow-band lambda sensor reads about this little on a lean mixture and about this much on a
// rich one, and switches steeply between the two near the ideal mixture: its voltage tells on
// which side of ideal the engine runs, not how far from it.
inline constexpr int kLambdaLeanMillivolts = 100;
inline constexpr int kLambdaRichMillivolts = 850;

} // namespace quorvel
