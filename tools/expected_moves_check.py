"""The checks of expected_moves.py (run as expected_moves.py --check): cases
counted by hand, the joint programme against the two separate ones, and a
plain simulation that moves numbered cars through the same rolls."""
import math
import random
import sys
from collections import defaultdict
from fractions import Fraction
from pathlib import Path

from expected_moves import (CARS, LANE_RULES, ORDERS, ROLLS, TABLE_ROLLS, back_first_distributions, differences,
                            fixed_distributions, joint_distributions, mean, order_chances, table)


def simulate(runs, rng, lane_rule="balanced"):
    """Move counts after each roll, counted by moving numbered cars, and how
    often each pair of counts (left, right) came after the table's rolls."""
    counts = [[[0] * (ROLLS + 1) for _ in range(ROLLS)] for _ in range(2)]
    pairs = {n: defaultdict(int) for n in TABLE_ROLLS}
    choose = LANE_RULES[lane_rule]
    for _ in range(runs):
        fixed, lanes = set(), ([], [])  # a lane lists its cars from the back
        moves = [0, 0]
        for roll in range(ROLLS):
            car = rng.randint(1, CARS)
            # Car k's space is k; the spaces in front of it are k - 2, k - 4.
            moves[0] += any(space in fixed for space in range(car - 2, 0, -2))
            fixed ^= {car}
            lane = next((cars for cars in lanes if car in cars), None)
            if lane is not None:
                aside = []
                while lane[-1] != car:
                    aside.append(lane.pop())
                lane.pop()
                lane.extend(reversed(aside))
                moves[1] += bool(aside)
            else:
                chances = choose(len(lanes[0]), len(lanes[1]))
                pick = rng.random()
                for index, chance in chances.items():
                    pick -= chance
                    if pick < 0:
                        break
                lanes[index].append(car)
            for rule in (0, 1):
                counts[rule][roll][moves[rule]] += 1
            if roll + 1 in pairs:
                pairs[roll + 1][tuple(moves)] += 1
    return counts, pairs


def check(runs=100_000):
    failures = []

    def expect(what, got, wanted):
        print(f"{what}: {got}" + ("" if got == wanted else f", expected {wanted}"))
        if got != wanted:
            failures.append(what)

    # Counted by hand. Two rolls, fixed: a move only when the second car is
    # another car of the first car's lane, deeper in it: 3 pairs in each lane.
    expect("fixed, 2 rolls", fixed_distributions(2)[-1], [Fraction(30, 36), Fraction(6, 36)])
    # Three rolls, left lane first: the first two cars differ (5/6) and both
    # stand in the left lane; the third roll names the deeper one (1/6).
    expect("left-first, 3 rolls", back_first_distributions("left-first", 3)[-1], [Fraction(31, 36), Fraction(5, 36)])
    # Balanced lanes never hold a car in front of another before the third car.
    expect("balanced, 3 rolls", back_first_distributions("balanced", 3)[-1], [Fraction(1)])
    for name, dists in (("fixed", fixed_distributions()), ("balanced", back_first_distributions())):
        expect(f"{name}: every distribution sums to 1", {sum(dist) for dist in dists}, {Fraction(1)})

    # Two rolls move a car only on the left (see above); the balanced lanes
    # never have a car in front of another yet.
    expect("joint, 2 rolls", joint_distributions()[1], {(0, 0): Fraction(30, 36), (1, 0): Fraction(6, 36)})
    # Each area's own distribution, roll by roll, is what the joint one gives.
    marginals = [[], []]
    for joint in joint_distributions():
        for side, dist in enumerate(marginals):
            by_count = defaultdict(Fraction)
            for pair, chance in joint.items():
                by_count[pair[side]] += chance
            dist.append([by_count[m] for m in range(max(by_count) + 1)])
    expect("joint, left counts", marginals[0] == fixed_distributions(), True)
    expect("joint, right counts", marginals[1] == back_first_distributions(), True)

    guide = Path(__file__).resolve().parent.parent / "docs" / "guide.md"
    expect("the guide's table is this table", table() in guide.read_text(encoding="utf-8"), True)

    # A plain simulation agrees: each roll's mean within 5 standard errors,
    # and the whole distribution after 40 rolls within a Kolmogorov bound far
    # beyond chance (1.95 / sqrt(runs) is the 0.1% level).
    counts, pairs = simulate(runs, random.Random(20261210))
    for name, dists, simulated in (
        ("fixed", fixed_distributions(), counts[0]),
        ("balanced", back_first_distributions(), counts[1]),
    ):
        worst = 0.0
        for dist, seen in zip(dists, simulated):
            exact, spread = float(mean(dist)), math.sqrt(float(sum(m * m * p for m, p in enumerate(dist)) - mean(dist) ** 2))
            got = sum(m * k for m, k in enumerate(seen)) / runs
            worst = max(worst, abs(got - exact) / (spread / math.sqrt(runs)) if spread else abs(got - exact))
        gap, exact_total, seen_total = 0.0, 0.0, 0
        for m, p in enumerate(dists[-1]):
            exact_total += float(p)
            seen_total += simulated[-1][m]
            gap = max(gap, abs(exact_total - seen_total / runs))
        print(f"{name}: simulated means within {worst:.2f} standard errors; distribution gap {gap:.4f}")
        if worst > 5 or gap > 1.95 / math.sqrt(runs):
            failures.append(f"{name} simulation")
    # The same for the joint counts: each order's chance within 5 standard
    # errors, and the distribution of left - right within the bound above.
    for n in TABLE_ROLLS:
        exact, worst = differences(joint_distributions()[n - 1]), 0.0
        seen = defaultdict(int)
        for (left, right), k in pairs[n].items():
            seen[left - right] += k
        for chance, order in zip(order_chances(joint_distributions()[n - 1]), ORDERS):
            got = sum(k for d, k in seen.items() if order(d)) / runs
            spread = math.sqrt(float(chance * (1 - chance)) / runs)
            worst = max(worst, abs(got - float(chance)) / spread)
        gap, exact_total, seen_total = 0.0, 0.0, 0
        for d in sorted(set(exact) | set(seen)):
            exact_total += float(exact.get(d, 0))
            seen_total += seen.get(d, 0)
            gap = max(gap, abs(exact_total - seen_total / runs))
        print(f"joint, {n} rolls: simulated orders within {worst:.2f} standard errors; left - right gap {gap:.4f}")
        if worst > 5 or gap > 1.95 / math.sqrt(runs):
            failures.append(f"joint simulation, {n} rolls")
    if failures:
        print("FAIL: " + ", ".join(failures), file=sys.stderr)
    return not failures
