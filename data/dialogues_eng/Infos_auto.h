// 0: teleporter hint (used by the game)
"The ring hums. Stand in it and press {ATTACK} to travel to another lit gate. {MAP} leaves the list."

    // 1: controls (Lantern Ring sign)
    "{JUMP} jumps and {ATTACK} swings the scythe. Press {MAP} to unroll your map."

    // 2: ice (Frozen Mere)
    "Wear the cold with {ICE}, then use it again to freeze the water at your feet."
    "Ghosts cannot be touched until the cold has caught them."

    // 3: spider form (after the cave mini-boss)
    "Press {SPIDER} to crawl where a standing body cannot pass."

    // 4: crossbow (after the cave boss)
    "The crossbow answers only while an armor is worn. Fire with {SCYTE}."

    // 5: fire (after the boat boss)
    "Wear the fire with {FIRE}. Frozen water softens wherever you walk."

    // 6: strafe (after the second boat boss)
    "{STRAFFL} and {STRAFFR} throw you across gaps too wide to jump."
