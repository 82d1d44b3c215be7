#!/usr/bin/python3
"""The move counts a class should expect, worked out exactly.

Six cars share two lanes of three spaces, open to the road at one end. Each
roll names car 1-6 with equal chance: a parked car leaves, any other arrives.
A roll counts one move when a car nearer the road stands in the way of the
leaving or arriving car, however many cars are moved aside.

  fixed: car k always uses space k (odd spaces in the left lane, even ones in
         the right; 1 and 2 by the road, 5 and 6 at the back).
  back-first: an arriving car takes the deepest free space of a lane, so it is
         never blocked; the cars moved aside for a leaving car go back into
         their lane from the back. The lane an arriving car takes is chosen
         by a lane rule (LANE_RULES).

The exact distributions come from a dynamic programme over the car park's
states and the count so far. For the fixed rule a state is the set of parked
cars. For the back-first rule it is the number of cars in each lane: the die
names each parked car with the same chance, so where a car stands matters,
but not which car it is. Both areas follow the same rolls, so their counts
rise and fall together; their joint distribution comes from a programme over
the right area's lanes with their cars in order, which also tell the left
area's parked set (the same cars). --check tests the programmes against cases
counted by hand and against a plain simulation that moves numbered cars
(expected_moves_check.py).

  expected_moves.py --table        the guide's table, in Markdown
  expected_moves.py --plot F.svg   the guide's plot, drawn by gnuplot
  expected_moves.py --check        the checks; status 1 if one fails
"""
import argparse
import shutil
import subprocess
import sys
from collections import defaultdict
from fractions import Fraction
from functools import cache

CARS = 6
DEPTH = 3  # spaces a lane
ROLLS = 40
SIXTH = Fraction(1, CARS)


def lane_and_depth(car):
    """Lane 0 (left) or 1 (right), and depth 0 (by the road) to 2 (the back)."""
    return (car - 1) % 2, (car - 1) // 2


def fixed_blocked(parked, car):
    lane, depth = lane_and_depth(car)
    return any(lane_and_depth(other) == (lane, d) for other in parked for d in range(depth))


def balanced(left, right):
    """The lane with more free spaces, the left one on a tie."""
    return {0: Fraction(1)} if left <= right else {1: Fraction(1)}


def left_first(left, right):
    """The left lane until it is full."""
    return {0: Fraction(1)} if left < DEPTH else {1: Fraction(1)}


def either(left, right):
    """Either lane with equal chance, while both have room."""
    if left < DEPTH and right < DEPTH:
        return {0: Fraction(1, 2), 1: Fraction(1, 2)}
    return {0: Fraction(1)} if left < DEPTH else {1: Fraction(1)}


LANE_RULES = {"balanced": balanced, "left-first": left_first, "either": either}


def fixed_steps(state):
    """(chance, next state, moved) for one roll; a state is a frozenset of cars."""
    for car in range(1, CARS + 1):
        yield SIXTH, state ^ {car}, fixed_blocked(state, car)


def back_first_steps(lane_rule):
    def steps(state):
        lanes = list(state)
        for lane, cars in enumerate(state):
            for place in range(cars):  # 0 is the deepest
                after = lanes.copy()
                after[lane] -= 1
                yield SIXTH, tuple(after), place < cars - 1
        free_cars = CARS - sum(state)
        if free_cars:
            for lane, chance in lane_rule(*state).items():
                after = lanes.copy()
                after[lane] += 1
                yield SIXTH * free_cars * chance, tuple(after), False

    return steps


def distributions(steps, start, rolls=ROLLS):
    """[P(count = m) for m] after each of 1..rolls rolls, as Fractions."""
    weights = {(start, 0): Fraction(1)}
    result = []
    for _ in range(rolls):
        following = {}
        for (state, count), weight in weights.items():
            for chance, after, moved in steps(state):
                key = (after, count + moved)
                following[key] = following.get(key, 0) + weight * chance
        weights = following
        by_count = [Fraction(0)] * (max(count for _, count in weights) + 1)
        for (_, count), weight in weights.items():
            by_count[count] += weight
        result.append(by_count)
    return result


def fixed_distributions(rolls=ROLLS):
    return distributions(fixed_steps, frozenset(), rolls)


def back_first_distributions(lane_rule="balanced", rolls=ROLLS):
    return distributions(back_first_steps(LANE_RULES[lane_rule]), (0, 0), rolls)


def joint_steps(state):
    """(next state, left moved, right moved) for each face of the die. A state
    is the right area's two lanes, each a tuple of its cars from the back
    (balanced lane rule); the left area holds the same cars in their spaces."""
    parked = frozenset(state[0] + state[1])
    for car in range(1, CARS + 1):
        left_moved = fixed_blocked(parked, car)
        lanes = list(state)
        for index, lane in enumerate(state):
            if car in lane:
                # The cars in front of it go back in their order, from the back.
                place = lane.index(car)
                lanes[index] = lane[:place] + lane[place + 1 :]
                yield tuple(lanes), left_moved, place < len(lane) - 1
                break
        else:
            lanes[0 if len(state[0]) <= len(state[1]) else 1] += (car,)
            yield tuple(lanes), left_moved, False


@cache
def joint_distributions(rolls=ROLLS):
    """{(left count, right count): chance} after each of 1..rolls rolls.

    Each state carries how many sequences of rolls lead to it with each pair
    of counts, packed into one integer: the number for (left, right) sits in
    slot left * (rolls + 1) + right, wide enough for 6**rolls. A roll with a
    move shifts the whole pack by one slot (right) or one row (left), so one
    integer sum stands for a sum over every pair of counts."""
    side, width = rolls + 1, (CARS**rolls).bit_length() // 8 + 1
    shift = {(left, right): 8 * width * (side * left + right) for left in (0, 1) for right in (0, 1)}
    packs, result = {((), ()): 1}, []
    for n in range(1, rolls + 1):
        following = defaultdict(int)
        for state, pack in packs.items():
            for after, left, right in joint_steps(state):
                following[after] += pack << shift[left, right]
        packs = following
        raw = sum(packs.values()).to_bytes(width * side * side, "little")
        joint = {}
        for slot in range(side * side):
            ways = int.from_bytes(raw[slot * width : (slot + 1) * width], "little")
            if ways:
                joint[divmod(slot, side)] = Fraction(ways, CARS**n)
        result.append(joint)
    return result


def differences(joint):
    """{left - right: chance}, in order."""
    result = defaultdict(Fraction)
    for (left, right), chance in joint.items():
        result[left - right] += chance
    return dict(sorted(result.items()))


# Right fewer than left, the same, right more: by left - right.
ORDERS = (lambda d: d > 0, lambda d: d == 0, lambda d: d < 0)


def order_chances(joint):
    """The chances that right < left, right = left and right > left."""
    diff = differences(joint)
    return tuple(sum(p for d, p in diff.items() if order(d)) for order in ORDERS)


def mean(dist):
    return sum(m * p for m, p in enumerate(dist))


def quantile(dist, q):
    total = Fraction(0)
    for m, p in enumerate(dist):
        total += p
        if total >= q:
            return m
    raise ValueError("not a distribution")


def quartiles(dist):
    return tuple(quantile(dist, Fraction(k, 4)) for k in (1, 2, 3))


TABLE_ROLLS = (10, 20, 30, 40)


def percent(chance):
    value = float(chance) * 100
    return f"{value:.1f}" if value >= 1 else f"{value:.2f}"


def one_in(chance):
    """1 / chance to one significant figure: 206 gives 200."""
    whole = round(1 / chance)
    return round(whole, 1 - len(str(whole)))


def table():
    """The guide's table, in HTML (its header has two rows), and its sentences."""
    fixed, free, joint = fixed_distributions(), back_first_distributions(), joint_distributions()
    lines = [
        '<table class="expected">',
        "<thead>",
        '<tr><th rowspan="2">振った<br>回数</th><th colspan="2">左（固定するとき）</th>'
        '<th colspan="2">右（固定しないとき）</th><th colspan="3">同じ目での左と右（%）</th></tr>',
        "<tr><th>平均</th><th>四分位</th><th>平均</th><th>四分位</th>"
        "<th>右が<br>少ない</th><th>同じ</th><th>右が<br>多い</th></tr>",
        "</thead>",
        "<tbody>",
    ]
    for n in TABLE_ROLLS:
        cells = [str(n)]
        for dist in (fixed[n - 1], free[n - 1]):
            cells += [f"{float(mean(dist)):.1f}", "{} / {} / {}".format(*quartiles(dist))]
        cells += [percent(chance) for chance in order_chances(joint[n - 1])]
        lines.append("<tr>" + "".join(f"<td>{cell}</td>" for cell in cells) + "</tr>")
    lines += ["</tbody>", "</table>", ""]
    (_, same40, more40), (_, same20, more20), (_, same10, more10) = (order_chances(joint[n - 1]) for n in (40, 20, 10))
    lines.append(
        f"左と右は同じサイコロの目で動くので、多い組は両方多く、少ない組は両方少なくなりがちです。"
        f"そのため、40回振って右のほうが多くなるのは {percent(more40)} %（{one_in(more40)}組に1組ほど）、"
        f"同じになるのは {percent(same40)} % しかありません。"
        f"振る回数が少ないと逆になりやすく、右が多いか同じになるのは、20回では {percent(more20 + same20)} %、"
        f"10回では {percent(more10 + same10)} % です。"
    )
    others = [(name, float(mean(back_first_distributions(name)[-1]))) for name in ("left-first", "either")]
    lines.append("")
    lines.append(
        f"右で入れる列の決め方を変えると、40回での平均は、左の列から先にいっぱいにするとき {others[0][1]:.1f} 回、"
        f"どちらの列にも半々で入れるとき {others[1][1]:.1f} 回です。"
        f"どの決め方でも、左の {float(mean(fixed[-1])):.1f} 回よりずっと少なくなります。"
    )
    return "\n".join(lines)


def plot(path):
    """The chances of left - right after 20 and 40 rolls, as bars side by side."""
    joint = joint_distributions()
    diffs = {n: differences(joint[n - 1]) for n in (20, 40)}
    # Differences whose chance is below 0.05% at both lengths would show no bar.
    shown = sorted(d for d in set(diffs[20]) | set(diffs[40]) if max(float(diffs[n].get(d, 0)) for n in diffs) >= 0.0005)
    data = "\n".join(f"{d} " + " ".join(f"{float(diffs[n].get(d, 0)) * 100:.3f}" for n in (20, 40)) for d in shown)
    # The caption under the picture names it, so the picture has no title.
    script = f"""
set terminal svg size 720,380 dynamic font "IPAPGothic,14"
set output "{path}"
set xlabel "左のどかし回数 − 右のどかし回数"
set ylabel "確率（%）"
set style fill solid 0.9 border -1
set boxwidth 0.4
set key tmargin center horizontal
set yrange [0:*]
set xrange [{shown[0] - 1}:{shown[-1] + 1}]
set xtics 2 nomirror
set ytics nomirror
set grid ytics
set object 1 rect from graph 0, graph 0 to first 0.5, graph 1 behind fc rgb "#e8e8e8" fs solid noborder
set label 1 "右が多い・同じ" at first 0.3, graph 0.92 right
$diffs << EOD
{data}
EOD
plot $diffs using ($1 - 0.2):2 with boxes title "20回振ったとき" lc rgb "#8fbbd9", \\
     "" using ($1 + 0.2):3 with boxes title "40回振ったとき" lc rgb "#1f77b4"
"""
    if not shutil.which("gnuplot"):
        sys.exit("The plot is drawn by gnuplot: apt-get install gnuplot-nox")
    subprocess.run(["gnuplot"], input=script, text=True, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--table", action="store_true")
    parser.add_argument("--plot", metavar="SVG")
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--runs", type=int, default=100_000)
    args = parser.parse_args()
    if args.table:
        print(table())
    if args.plot:
        plot(args.plot)
    if args.check:
        from expected_moves_check import check

        if not check(args.runs):
            sys.exit(1)


if __name__ == "__main__":
    main()
