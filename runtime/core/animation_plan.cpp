#include "animation_plan.h"

#include <cmath>

namespace qiv {

namespace {
constexpr double kStep = 5.0;
// Beyond this many units a move cannot be animated in any lifetime; the limit keeps the
// step count and the remainder exact in double precision.
constexpr double kLongest = 1e15;
}  // namespace

long long animationSteps(double amount) {
    const double n = std::fabs(amount);
    if (!(n < kLongest)) return n >= kLongest ? static_cast<long long>(kLongest) / 5 : 0;  // NaN: none
    return static_cast<long long>(n) / 5;
}

AnimationCursor::AnimationCursor(bool isTurn, double amount, double delay, bool headShown)
    : isTurn_(isTurn), amount_(amount), delay_(delay), head_(headShown),
      animated_(!(delay < kAnimationThreshold)), steps_(0), done_(0), section_(Start), count_(0), pos_(0) {
    if (animated_) steps_ = animationSteps(amount);
}

AnimationCursor AnimationCursor::forward(double len, double delay, bool headShown) {
    return AnimationCursor(false, len, delay, headShown);
}

AnimationCursor AnimationCursor::turn(double deg, double delay, bool headShown) {
    return AnimationCursor(true, deg, delay, headShown);
}

void AnimationCursor::push(AnimationAction::Kind kind, double amount) {
    buf_[count_].kind = kind;
    buf_[count_].amount = amount;
    ++count_;
}

bool AnimationCursor::next(AnimationAction* action) {
    while (pos_ == count_) {
        if (!refill()) return false;
    }
    *action = buf_[pos_++];
    return true;
}

bool AnimationCursor::refill() {
    typedef AnimationAction A;
    count_ = pos_ = 0;
    const A::Kind device = isTurn_ ? A::Turn : A::Advance;
    const double stepWait = kStep * delay_;
    switch (section_) {
    case Start:
        if (head_) push(A::EraseHead, 0);
        if (animated_) {
            section_ = Steps;
        } else {
            push(device, amount_);
            section_ = End;
        }
        return true;
    case Steps: {
        if (done_ == steps_) {
            section_ = Tail;
            return true;
        }
        ++done_;
        const double step = amount_ > 0 ? kStep : -kStep;
        // A move steps first and shows the head where it arrived; a turn shows the head
        // at the heading it leaves, then turns.
        if (!isTurn_) push(device, step);
        if (head_) {
            push(A::DrawHead, 0);
            push(A::Wait, stepWait - kHeadStepCost);
        } else {
            push(A::Wait, stepWait);
        }
        if (isTurn_) push(device, step);
        if (head_) push(A::EraseHead, 0);
        return true;
    }
    case Tail: {
        const double done = static_cast<double>(steps_) * kStep;
        const double rest = amount_ >= 0 ? amount_ - done : amount_ + done;
        if (isTurn_) {
            push(device, rest);
            push(A::Wait, stepWait);
        } else {
            push(A::Wait, stepWait);
            push(device, rest);
        }
        section_ = End;
        return true;
    }
    case End:
        if (isTurn_) {
            if (head_) push(A::ShowHead, 0);
        } else if (head_) {
            push(A::DrawHead, 0);
            if (delay_ > kAnimationThreshold) push(A::Wait, delay_);
        }
        section_ = Finished;
        return true;
    case Finished:
        break;
    }
    return false;
}

}  // namespace qiv
