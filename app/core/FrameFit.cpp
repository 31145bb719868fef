#include "app/core/FrameFit.h"

#include <QtMath>

#include <algorithm>
#include <cstdlib>

namespace {

int clientLength(int outerDevice, int frameDevice, double ratio) {
    const int target = outerDevice - frameDevice;
    if (target <= 0 || !(ratio > 0))
        return 0;
    // The nearest lies within a logical pixel of target / ratio, either way.
    const int estimate = qFloor(target / ratio);
    int best = 0;
    int bestError = target;
    for (int length = std::max(0, estimate - 1); length <= estimate + 2; ++length) {
        const int error = std::abs(qRound(length * ratio) - target);
        if (error < bestError) {
            best = length;
            bestError = error;
        }
    }
    return best;
}

} // namespace

namespace FrameFit {

QSize clientSize(QSize outerDevice, QMargins frameDevice, double ratio) {
    return {clientLength(outerDevice.width(), frameDevice.left() + frameDevice.right(), ratio),
            clientLength(outerDevice.height(), frameDevice.top() + frameDevice.bottom(), ratio)};
}

} // namespace FrameFit
