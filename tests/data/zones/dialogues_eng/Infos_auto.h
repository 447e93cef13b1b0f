// 0: how to use a teleporter
Keeper ": " "Stand in the ring and press A to travel."
