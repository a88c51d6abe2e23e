#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a class folder of journals for the results benchmarks: FOLDER JOURNALS LINES_EACH.
# One folder per computer, each with its own 1.txt in Windows-1251, as pupils' computers write them.
import os
import random
import sys

folder, journals, lines = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(12)
topic = "Тема: Чи контактують між собою комп'ютери"
first = ["Іван", "Олена", "Марія", "Тарас", "Ярина", "Остап", "Дарина", "Максим", "Софія", "Назар"]
last = ["Петренко", "Коваль", "Бондар", "Шевченко", "Гнатюк", "Мельник", "Ткаченко", "Лисенко", "Кравець", "Олійник"]
groups = ["%d-%s" % (n, c) for n in range(5, 12) for c in "АБВ"]
for pc in range(journals):
    path = os.path.join(folder, "pc%05d" % pc)
    os.makedirs(path, exist_ok=True)
    rows = ["%s - %s %s - %s - %02d.11.26 - Оцінка - %d\r\n" % (topic, random.choice(last), random.choice(first),
            random.choice(groups), random.randint(1, 28), random.randint(1, 12)) for _ in range(lines)]
    with open(os.path.join(path, "1.txt"), "wb") as f:
        f.write("".join(rows).encode("cp1251"))
