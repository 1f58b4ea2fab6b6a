// The order of device steps, head updates and waits of an animated forward move or turn.
//
// A move of len units (or a turn of deg degrees) is cut into 5-unit (5-degree) steps, each
// followed by a wait of 5 x delay; one more wait and the signed remainder follow. With the
// head shown it is erased before every step and drawn after it, and each step's wait is
// shortened by the 0.00015 s the head costs. The pen walks the plan one action at a time,
// so a very long move needs no memory beyond the cursor.
#ifndef QIV_ANIMATION_PLAN_H
#define QIV_ANIMATION_PLAN_H

namespace qiv {

// Delays below this count as "no animation" (seconds per unit).
constexpr double kAnimationThreshold = 0.000001;
// Time the head's erase and redraw are taken to cost at each step.
constexpr double kHeadStepCost = 0.00015;

struct AnimationAction {
    enum Kind {
        EraseHead,  // copy the saved background back over the head
        DrawHead,   // save the background at the pen's pixel and draw the head there
        ShowHead,   // the pen's own show(): the head reappears with its background saved
        Advance,    // device forward move (drawing) by amount units
        Turn,       // device turn by amount degrees
        Wait        // wait amount seconds (the wait itself returns at once for <= 0)
    } kind;
    double amount;
};

// Walks the actions of one forward move or one turn.
class AnimationCursor {
public:
    // Forward move of len units (negative: backward).
    static AnimationCursor forward(double len, double delay, bool headShown);
    // Turn by deg degrees (negative: counter-clockwise).
    static AnimationCursor turn(double deg, double delay, bool headShown);

    // The next action; false when the plan is complete.
    bool next(AnimationAction* action);

    // Whole 5-unit (5-degree) steps of the plan (0 when not animated).
    long long steps() const { return steps_; }

private:
    enum Section { Start, Steps, Tail, End, Finished };
    AnimationCursor(bool isTurn, double amount, double delay, bool headShown);
    bool refill();  // fills the buffer with the next section's actions; false at the end
    void push(AnimationAction::Kind kind, double amount);

    bool isTurn_;
    double amount_;  // len or deg
    double delay_;
    bool head_;
    bool animated_;
    long long steps_;
    long long done_;  // steps already handed out
    Section section_;
    AnimationAction buf_[4];
    int count_, pos_;
};

// Whole steps of an animated move or turn: trunc(|amount|) / 5. Values beyond any
// practical length (or not finite) are limited so that the count stays exact.
long long animationSteps(double amount);

}  // namespace qiv

#endif
